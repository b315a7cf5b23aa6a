// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowmemory.h"

#include "comparison/form2.h"
#include "forms/deviceimage.h"
#include "forms/layout.h"
#include "lesson/form1.h"

#include <QGuiApplication>
#include <QScreen>
#include <memory>
#include <new>

namespace windowmemory {

namespace {

// Room beside the windows' pixels for what the painter takes while it draws: the outlines of
// the glyphs it fills at a high density, the clip regions, the text layouts [bytes].
constexpr std::size_t PainterRoomBytes = 40 * 1024 * 1024;

// Qt's image of a window takes four bytes a device pixel.
constexpr std::size_t BytesPerPixel = 4;

std::size_t bytesAtItsScreen(const forms::FormLayout &layout)
{
    const forms::PixelRect client = layout.client.toPixels();
    const QScreen *screen = QGuiApplication::screenAt(QPoint(client.x, client.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return bytesFor(client.width, client.height, screen ? screen->devicePixelRatio() : 1.0);
}

} // namespace

std::size_t bytesFor(int logicalWidth, int logicalHeight, double density)
{
    const auto scale = forms::DeviceScale::atDensity(logicalWidth, logicalHeight, density);
    return BytesPerPixel * static_cast<std::size_t>(scale.deviceWidth()) *
        static_cast<std::size_t>(scale.deviceHeight());
}

bool available(const std::vector<std::size_t> &blocks)
{
    // Asked for as one block: its size is beyond what the C library's allocator learns from
    // (glibc raises its threshold for mapping memory to the size of a freed mapping of up to
    // 32 MB), so asking leaves the program's later allocations as they would have been.
    std::size_t bytes = PainterRoomBytes;
    for (const std::size_t block : blocks)
        bytes += block;
    std::unique_ptr<std::byte[]> held;
    try {
        held.reset(new std::byte[bytes]);
    } catch (const std::bad_alloc &) {
        return false;
    }
    // One byte written, so that the compiler cannot leave the allocation out; the pages
    // themselves stay untouched.
    *static_cast<volatile std::byte *>(held.get()) = std::byte{0};
    return true;
}

bool windowsFit()
{
    return available({bytesAtItsScreen(Form1::layout()), bytesAtItsScreen(Form2::layout())});
}

} // namespace windowmemory
