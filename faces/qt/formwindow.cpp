// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "formwindow.h"

#include "accessibility.h"
#include "fonts.h"
#include "forms/deviceimage.h"
#include "forms/errors.h"
#include "forms/form.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace qtface {

// --- FormWindow --------------------------------------------------------------------------

FormWindow::FormWindow(forms::Form &form)
    : QWidget(nullptr,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_form(form)
{
    setObjectName(QString::fromStdString(form.name()));
    setWindowTitle(QString::fromStdString(form.caption()));
    setFont(fontFor(form.font()));
    // The layout is fixed, so is the window: it opens at its stored place and size.
    setGeometry(toQRect(form.clientBox()));
    setFixedSize(size());
    setAttribute(Qt::WA_OpaquePaintEvent); // the picture covers every pixel

    for (const forms::Label *label : form.labels())
        m_labelTexts.push_back(std::make_unique<LabelText>(*label));
    // The real widgets, created in the order of their TabIndex, which is also the order the
    // focus takes between them.
    QWidget *previous = nullptr;
    for (forms::WidgetControl *control : form.tabOrder()) {
        QWidget *widget = nullptr;
        if (auto *button = dynamic_cast<forms::CommandButton *>(control))
            widget = new PushButton(*button, this);
        else
            widget = new ListWidget(static_cast<forms::ListBox &>(*control), this);
        m_widgets.emplace_back(control, widget);
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

FormWindow::~FormWindow() = default;

QWidget *FormWindow::widgetOf(const forms::WidgetControl &control) const
{
    for (const auto &[shown, widget] : m_widgets)
        if (shown == &control)
            return widget;
    return nullptr;
}

void FormWindow::showWindow()
{
    show();
    // Showing a window hides its focus until a Tab is pressed in it; a keyboard user who
    // arrives here must see at once where the focus is.
    setAttribute(Qt::WA_KeyboardFocusChange);
    activateWindow();
    if (!focusWidget())
        focusFirstControl();
}

void FormWindow::focusFirstControl()
{
    for (const auto &[control, widget] : m_widgets) {
        if (widget->isEnabled() && widget->isVisibleTo(this)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void FormWindow::repaintChanged(const forms::PixelRect &changed)
{
    // One pixel more on every side: at a fractional density Qt rounds the region to device
    // pixels its own way, and every device pixel the picture changed must reach the screen.
    update(toQRect(changed).adjusted(-1, -1, 1, 1));
}

LabelText *FormWindow::textOf(const forms::Control &control)
{
    for (const auto &text : m_labelTexts)
        if (&text->label() == &control)
            return text.get();
    return nullptr;
}

void FormWindow::controlChanged(const forms::Control &control, forms::Change what)
{
    if (auto *widget = dynamic_cast<const forms::WidgetControl *>(&control)) {
        QWidget *shown = widgetOf(*widget);
        if (auto *button = qobject_cast<PushButton *>(shown)) {
            button->showState();
        } else if (auto *list = qobject_cast<ListWidget *>(shown)) {
            if (what == forms::Change::Items)
                list->showItems();
            else if (what == forms::Change::Name)
                list->showName();
            else
                list->showSelection();
        }
        return;
    }
    // Lines and labels are painted again through the form's repaint; only assistive technology
    // hears of labels now.
    LabelText *text = textOf(control);
    if (!text)
        return;
    if (what == forms::Change::Caption)
        text->update();
    if (what == forms::Change::Caption || what == forms::Change::Visibility)
        accessibility::labelChanged(*this, text->label());
}

namespace {

// The image the painter's pixels go into, when the core can paint straight into it: an image
// of opaque 32-bit pixels, nobody else's to share, mapped from the window by a scale alone and
// a shift of whole device pixels.
QImage *paintedImage(QPainter &painter, QPoint &origin)
{
    QPaintDevice *device = painter.paintEngine()->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto *image = static_cast<QImage *>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    if (!image->isDetached()) // writing would make a copy of it, not paint it
        return nullptr;
    const QTransform toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() != toDevice.m22() ||
        toDevice.dx() != std::round(toDevice.dx()) || toDevice.dy() != std::round(toDevice.dy()))
        return nullptr;
    origin = QPoint(int(toDevice.dx()), int(toDevice.dy()));
    return image;
}

} // namespace

bool FormWindow::paintPicture(QPainter &painter, const QRegion &region)
{
    const forms::PixelRect client{0, 0, width(), height()};
    QPoint origin;
    if (QImage *image = paintedImage(painter, origin)) {
        // The common way: the core paints the window's picture straight into the pixels Qt
        // shows, device pixel for device pixel, exactly where Qt clips its own painting.
        const auto scale = forms::DeviceScale::atDensity(client.width, client.height,
                                                         painter.deviceTransform().m11());
        const forms::DevicePixels target{
            reinterpret_cast<forms::Rgba *>(image->bits()),
            image->bytesPerLine() / qsizetype(sizeof(forms::Rgba)),
            {-origin.x(), -origin.y(), image->width(), image->height()},
            forms::PixelOrder::Bgra};
        QRegion clip = painter.paintEngine()->systemClip();
        if (clip.isEmpty())
            clip = painter.deviceTransform().map(region);
        for (const QRect &rect : clip)
            forms::paintPicture(
                m_form, scale, target,
                {rect.x() - origin.x(), rect.y() - origin.y(), rect.width(), rect.height()});
        return true;
    }
    // Anywhere else (a printer, a recording) the whole picture is painted aside and drawn in.
    const qreal density = painter.device()->devicePixelRatioF();
    forms::DeviceImage picture(forms::PixelOrder::Bgra);
    try {
        picture.resize(forms::DeviceScale::atDensity(client.width, client.height, density));
    } catch (const std::bad_alloc &) {
        m_form.runtime().reportAndEnd(forms::RuntimeError(forms::ErrorKind::OutOfMemory));
        return false;
    }
    const forms::DeviceScale &scale = picture.scale();
    picture.paint(m_form, {0, 0, scale.deviceWidth(), scale.deviceHeight()});
    const QImage shown(reinterpret_cast<const uchar *>(picture.pixels()), scale.deviceWidth(),
                       scale.deviceHeight(), scale.deviceWidth() * qsizetype(sizeof(forms::Rgba)),
                       QImage::Format_RGB32);
    painter.drawImage(QRectF(0, 0, scale.deviceWidth() / density, scale.deviceHeight() / density),
                      shown);
    return true;
}

void FormWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (!painter.isActive() || !paintPicture(painter, event->region()))
        return; // no memory for the window's pixels, which has been said
    const QRect area = event->rect();
    for (const auto &text : m_labelTexts)
        if (area.intersects(toQRect(text->label().box())))
            text->paint(painter);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    // The layout has no handler for closing; closing either window ends the program, so a
    // hidden window never keeps an invisible process alive.
    event->accept();
    m_form.runtime().endProgram(0);
}

void FormWindow::closedByForce()
{
    m_form.runtime().endProgram(0);
}

// --- WindowViewAdapter -------------------------------------------------------------------

WindowViewAdapter::WindowViewAdapter(forms::Form &form)
    : m_window(new FormWindow(form))
    , m_announcer(*m_window)
{
    m_destroyed = QObject::connect(m_window, &QObject::destroyed, [this, &form] {
        m_window = nullptr;
        form.runtime().endProgram(0);
    });
}

WindowViewAdapter::~WindowViewAdapter()
{
    QObject::disconnect(m_destroyed);
    delete m_window;
}

void WindowViewAdapter::show()
{
    if (m_window)
        m_window->showWindow();
}

void WindowViewAdapter::hide()
{
    if (m_window)
        m_window->hide();
}

void WindowViewAdapter::repaint(const forms::PixelRect &rect)
{
    if (m_window)
        m_window->repaintChanged(rect);
}

void WindowViewAdapter::controlChanged(const forms::Control &control, forms::Change what)
{
    if (m_window)
        m_window->controlChanged(control, what);
}

void WindowViewAdapter::drawingDescriptionChanged()
{
    if (m_window)
        accessibility::drawingChanged(*m_window);
}

void WindowViewAdapter::announce(const std::string &)
{
    // The announcer reads the text from the form (Form::announcement), where it stays for
    // anyone who looks again.
    if (m_window)
        m_announcer.announce();
}

} // namespace qtface
