// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowtest.h"

#include "forms/form.h"
#include "forms/platform.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QWidget>
#include <cmath>

namespace testsupport {

void preparePlatform()
{
    QApplication::setApplicationName(QStringLiteral("Zerfallsfrist"));
    forms::preparePlatform();
}

RecordingRuntime::RecordingRuntime(QLocale locale)
    : forms::Runtime(std::move(locale))
{
    setReportViewer(
        [this](const forms::RuntimeError &error) { reported.push_back(error.number()); });
}

QImage grab(QWidget &window)
{
    return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
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

QRect inkRect(const forms::Label &label, qreal ratio)
{
    // Painted with a wide margin so ink that would leave the box is seen too.
    constexpr int Margin = 100;
    const QRect area = label.box().adjusted(-Margin, -Margin, Margin, Margin);
    QImage image((area.size() * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        label.paintText(painter);
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

QStringList controlState(const forms::Form &form)
{
    using namespace Qt::StringLiterals;
    QStringList state;
    for (const auto &control : form.controls()) {
        QString entry = control->name();
        if (const auto *label = dynamic_cast<const forms::Label *>(control.get()))
            entry += u' ' + label->caption() + u' ' + QString::number(label->foreColor(), 16) +
                (label->isVisible() ? u" shown"_s : u" hidden"_s);
        else if (const auto *line = dynamic_cast<const forms::Line *>(control.get()))
            entry += u' ' + QString::number(line->borderColor(), 16) + u' ' +
                QString::number(line->borderWidth()) +
                (line->isVisible() ? u" shown"_s : u" hidden"_s);
        else if (const auto *button = dynamic_cast<const forms::CommandButton *>(control.get()))
            entry += u' ' + button->caption() + (button->isEnabled() ? u" on"_s : u" off"_s);
        else if (const auto *list = dynamic_cast<const forms::ListBox *>(control.get())) {
            const QListWidget *widget = list->listWidget();
            const QList<QListWidgetItem *> selected = widget->selectedItems();
            entry += u' ' + QString::number(list->listCount()) + u" row "_s +
                QString::number(widget->currentRow()) + u" selected "_s +
                QString::number(selected.isEmpty() ? -1 : widget->row(selected.first()));
        }
        state << entry;
    }
    return state;
}

QRgb rgb(forms::Colour colour)
{
    return forms::explicitRgb(colour);
}

} // namespace testsupport
