// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"

#include "faces/qt/painting.h"
#include "forms/form.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cmath>

using namespace Qt::StringLiterals;

namespace testsupport {

void prepareApplication()
{
    QApplication::setApplicationName(u"Zerfallsfrist"_s);
    qtface::prepareApplication();
}

WindowTestFrame::~WindowTestFrame() = default;

QWidget *WindowTestFrame::window() const
{
    return qtface::windowOf(*m_form);
}

void WindowTestFrame::initTestCase()
{
    prepareApplication();
}

void WindowTestFrame::init()
{
    drop(); // what a failed cleanup left
    m_face = std::make_unique<RecordingQtFace>();
    m_runtime = std::make_unique<forms::Runtime>(*m_face, ",");
    m_form = makeForm(*m_runtime);
    m_form->load();
    m_runtime->dispatch([this] { m_form->Show(); });
    QVERIFY(QTest::qWaitForWindowActive(window()));
}

void WindowTestFrame::cleanup()
{
    const std::vector<forms::ErrorKind> reported = m_face->reported;
    drop();
    QCOMPARE(reported, std::vector<forms::ErrorKind>{});
}

void WindowTestFrame::drop()
{
    m_form.reset();
    m_runtime.reset();
    m_face.reset();
}

QWidget *widget(const forms::CommandButton &button)
{
    return qtface::widgetOf(button);
}

QWidget *widget(const forms::ListBox &list)
{
    return qtface::widgetOf(list);
}

bool windowMade(const char *formName)
{
    for (const QWidget *widget : QApplication::topLevelWidgets())
        if (widget->inherits("qtface::FormWindow") &&
            widget->objectName() == QLatin1String(formName))
            return true;
    return false;
}

QWidget *focusWidget()
{
    return QApplication::focusWidget();
}

void choose(forms::ListBox &list, int row)
{
    auto *view = qobject_cast<QListWidget *>(widget(list));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualItemRect(view->item(row)).center());
}

void press(forms::CommandButton &button)
{
    QTest::mouseClick(widget(button), Qt::LeftButton);
}

void pressKey(const forms::Form &form, int key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(qtface::windowOf(form)->windowHandle(), Qt::Key(key), modifiers);
}

QImage screenImage(const forms::Form &form)
{
    QWidget *window = qtface::windowOf(form);
    // The update request a repaint posts, then the painting it makes, which the window's
    // backing store hands to the platform at once.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!window->isVisible())
        return {};
    // Grabbed from the screen, starting at its origin: Qt 6.4's offscreen screen cuts the grab
    // of a single window to its size in logical pixels, and lays each window onto the screen
    // at its logical position counted in device pixels.
    const QWindow *handle = window->windowHandle();
    const qreal ratio = handle->devicePixelRatio();
    const QPoint at = handle->position();
    const QPixmap screen = window->screen()->grabWindow(0, 0, 0, at.x() + window->width() + 1,
                                                        at.y() + window->height() + 1);
    QImage image = screen.toImage().copy(QRect(at, (QSizeF(window->size()) * ratio).toSize()));
    image.setDevicePixelRatio(ratio);
    return image.convertToFormat(QImage::Format_RGB32);
}

QRgb pixelAt(const QImage &image, QPoint logical)
{
    const qreal ratio = image.devicePixelRatio();
    const int x = static_cast<int>(std::floor((logical.x() + 0.5) * ratio));
    const int y = static_cast<int>(std::floor((logical.y() + 0.5) * ratio));
    return image.pixel(x, y) | 0xFF000000u;
}

bool contains(const QImage &image, const QRect &logical, QRgb colour, int tolerance)
{
    const qreal ratio = image.devicePixelRatio();
    const QRect device(QPoint(static_cast<int>(std::floor(logical.left() * ratio)),
                              static_cast<int>(std::floor(logical.top() * ratio))),
                       QPoint(static_cast<int>(std::ceil((logical.right() + 1) * ratio)) - 1,
                              static_cast<int>(std::ceil((logical.bottom() + 1) * ratio)) - 1));
    const QRect inside = device & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::abs(qRed(pixel) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(pixel) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(pixel) - qBlue(colour)) <= tolerance)
                return true;
        }
    return false;
}

QRgb rgb(forms::Colour colour)
{
    const forms::Rgba pixel = forms::toRgba(colour);
    return qRgb(forms::red(pixel), forms::green(pixel), forms::blue(pixel));
}

QRect inkRect(const forms::Label &label, qreal ratio)
{
    // Painted with a wide margin so ink that would leave the box is seen too.
    constexpr int Margin = 100;
    const QRect area = qtface::toQRect(label.box()).adjusted(-Margin, -Margin, Margin, Margin);
    QImage image((area.size() * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        qtface::LabelText(label).paintText(painter);
    }
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 64) { // faint anti-aliasing fringes are not ink
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    const QRect device(QPoint(left, top), QPoint(right, bottom));
    return QRect(QPoint(static_cast<int>(std::floor(device.left() / ratio)),
                        static_cast<int>(std::floor(device.top() / ratio))),
                 QPoint(static_cast<int>(std::floor(device.right() / ratio)),
                        static_cast<int>(std::floor(device.bottom() / ratio))))
        .translated(area.topLeft());
}

namespace {

QString buttonState(const QString &caption, bool enabled)
{
    return caption + (enabled ? u" on"_s : u" off"_s);
}

QString listState(qsizetype entries, int selected)
{
    return u"%1 entries, %2 selected"_s.arg(entries).arg(selected);
}

} // namespace

QStringList controlState(const forms::Form &form, Side side)
{
    QStringList state;
    for (const auto &control : form.controls()) {
        QString held, shown; // shown stays null for controls without a widget
        if (const auto *label = dynamic_cast<const forms::Label *>(control.get()))
            held = QString::fromStdString(label->caption()) + u' ' +
                QString::number(label->foreColor(), 16) +
                (label->isVisible() ? u" shown"_s : u" hidden"_s);
        else if (const auto *line = dynamic_cast<const forms::Line *>(control.get()))
            held = QString::number(line->borderColor(), 16) + u' ' +
                QString::number(line->borderWidth()) +
                (line->isVisible() ? u" shown"_s : u" hidden"_s);
        else if (const auto *button = dynamic_cast<const forms::CommandButton *>(control.get())) {
            const auto *view = static_cast<const QPushButton *>(widget(*button));
            held = buttonState(QString::fromStdString(button->caption()), button->isEnabled());
            shown = buttonState(view->text(), view->isEnabled());
        } else if (const auto *list = dynamic_cast<const forms::ListBox *>(control.get())) {
            const auto *view = qobject_cast<const QListWidget *>(widget(*list));
            const QList<QListWidgetItem *> selected = view->selectedItems();
            held = listState(qsizetype(list->items().size()), list->selectedIndex());
            shown = listState(view->count(), selected.isEmpty() ? -1 : view->row(selected.first()));
        }
        QString entry = QString::fromStdString(control->name()) + u' ';
        if (shown.isNull() || side == Side::Held)
            entry += held;
        else if (side == Side::Shown)
            entry += shown;
        else
            entry += held + u", shows "_s + shown;
        state << entry;
    }
    return state;
}

} // namespace testsupport
