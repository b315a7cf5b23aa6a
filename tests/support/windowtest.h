// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/controls.h"
#include "forms/runtime.h"

#include <QApplication>
#include <QImage>
#include <QLocale>
#include <QRect>
#include <QStringList>
#include <vector>

class QWidget;
namespace forms {
class Form;
}

namespace testsupport {

// Prepares the toolkit as the program does (faces, style, palette); call in initTestCase.
void preparePlatform();

// A runtime that records error reports instead of showing a message box.
class RecordingRuntime : public forms::Runtime
{
public:
    explicit RecordingRuntime(QLocale locale = QLocale(QLocale::German, QLocale::Germany));
    std::vector<int> reported; // error numbers, in the order reported
    int eventLoopLeft = 0; // how often the program asked to leave the event loop

protected:
    void leaveEventLoop(int) override { ++eventLoopLeft; }
};

// The window as a pupil sees it: rendered through its paint event, in device pixels.
QImage grab(QWidget &window);

// The colour of the device pixel at the centre of a logical pixel.
QRgb pixelAt(const QImage &image, QPoint logical);

// Whether any device pixel inside the logical rectangle has this colour, each channel within
// the tolerance (anti-aliased text rarely inks a pixel in exactly its colour).
bool contains(const QImage &image, const QRect &logical, QRgb colour, int tolerance = 0);

// The logical pixels a label's text inks when painted without clipping: what must fit its box.
QRect inkRect(const forms::Label &label, qreal devicePixelRatio);

// What a pupil could see of a window's controls, or a handler goes on from: one entry per
// control, in the layout's order. Reading it makes no platform call.
QStringList controlState(const forms::Form &form);

// The window of this type that exists now, if any: windows are made on first use.
template<typename Window> Window *existing()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = dynamic_cast<Window *>(widget))
            return window;
    return nullptr;
}

// An explicit layout colour (0x00BBGGRR) as an opaque RGB value.
QRgb rgb(forms::Colour colour);

} // namespace testsupport
