// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "webface.h"

#include "forms/controls.h"
#include "forms/errors.h"
#include "forms/form.h"

#include <algorithm>
#include <cstdlib>
#include <emscripten/emscripten.h>
#include <new>
#include <vector>

// What the page's script (face.js) does for this side. Texts are UTF-8; a view is named by its
// address, a control by its place in the layout; its name marks its element for tests.
extern "C" {
void zfweb_create_window(const void *view, const char *name, const char *caption, int width,
                         int height);
void zfweb_destroy_window(const void *view);
void zfweb_show_window(const void *view);
void zfweb_hide_window(const void *view);
void zfweb_describe(const void *view, const char *description);
void zfweb_paint(const void *view, const void *pixels, int deviceWidth, int deviceHeight, int top,
                 int rows, int x, int y, int width, int height);
void zfweb_paint_texts(const void *view, int deviceWidth, int deviceHeight, int x, int y, int width,
                       int height);
void zfweb_create_label(const void *view, int slot, const char *name, int x, int y, int width,
                        int height, int pixelSize, bool bold, bool italic, int alignment);
void zfweb_update_label(const void *view, int slot, const char *caption, unsigned colour,
                        bool readable);
void zfweb_create_button(const void *view, int slot, const char *name, int x, int y, int width,
                         int height, int pixelSize, bool bold, bool italic, bool visible);
void zfweb_update_button(const void *view, int slot, const char *caption, bool enabled);
void zfweb_create_list(const void *view, int slot, const char *name, int x, int y, int width,
                       int height, int pixelSize, bool bold, bool italic, unsigned background,
                       unsigned foreground, bool visible);
void zfweb_clear_list(const void *view, int slot);
void zfweb_add_list_item(const void *view, int slot, const char *text);
void zfweb_update_list(const void *view, int slot, int selected, bool enabled, const char *name);
void zfweb_announce(const char *text);
void zfweb_report(const char *description, const char *advice);
void zfweb_program_ended(int exitStatus);
char *zfweb_decimal_separator();
}

using forms::Change;
using forms::PixelRect;

namespace webface {

namespace {

constexpr int BandPixels = 64 * 1024; // in one band of the window's picture, 256 KiB

int alignmentCode(forms::Alignment alignment)
{
    switch (alignment) {
    case forms::Alignment::Right:
        return 1;
    case forms::Alignment::Centre:
        return 2;
    case forms::Alignment::Left:
        break;
    }
    return 0;
}

} // namespace

// --- WebWindowView ---------------------------------------------------------------------------

WebWindowView::WebWindowView(forms::Form &form)
    : m_form(form)
{
    const PixelRect client = form.clientBox();
    zfweb_create_window(this, form.name().c_str(), form.caption().c_str(), client.width,
                        client.height);

    // Labels, buttons and lists in the order in which the keyboard and a screen reader meet
    // them.
    for (const forms::Control *each : form.readingOrder()) {
        const int slot = slotOf(*each);
        const forms::Control &control = *each;
        if (const auto *label = dynamic_cast<const forms::Label *>(&control)) {
            const PixelRect box = label->box();
            const forms::LayoutFont &font = label->font();
            zfweb_create_label(this, slot, label->name().c_str(), box.x, box.y, box.width,
                               box.height, font.pixelSize(), font.bold, font.italic,
                               alignmentCode(label->alignment()));
            sendLabel(slot, *label);
        } else if (const auto *button = dynamic_cast<const forms::CommandButton *>(&control)) {
            const PixelRect box = button->box();
            const forms::LayoutFont &font = button->font();
            zfweb_create_button(this, slot, button->name().c_str(), box.x, box.y, box.width,
                                box.height, font.pixelSize(), font.bold, font.italic,
                                button->isVisible());
            zfweb_update_button(this, slot, button->caption().c_str(), button->isEnabled());
        } else if (const auto *list = dynamic_cast<const forms::ListBox *>(&control)) {
            const PixelRect box = list->box();
            const forms::LayoutFont &font = list->font();
            zfweb_create_list(this, slot, list->name().c_str(), box.x, box.y, box.width, box.height,
                              font.pixelSize(), font.bold, font.italic,
                              forms::toRgba(list->backColor()), forms::toRgba(list->foreColor()),
                              list->isVisible());
            sendItems(slot);
        }
    }
    zfweb_describe(this, form.drawingDescription().c_str());
}

WebWindowView::~WebWindowView()
{
    zfweb_destroy_window(this);
}

void WebWindowView::show()
{
    zfweb_show_window(this);
}

void WebWindowView::hide()
{
    zfweb_hide_window(this);
}

void WebWindowView::repaint(const PixelRect &rect)
{
    if (m_image.isEmpty())
        return; // not laid out yet: resized() paints everything once it is
    const forms::DeviceScale &scale = m_image.scale();
    const PixelRect device = scale.toDevice(rect);
    if (device.isEmpty())
        return;
    for (int y = device.y; y < device.bottom();) {
        const PixelRect band =
            m_image.paint(m_form, {device.x, y, device.width, device.bottom() - y});
        zfweb_paint(this, m_image.pixels(), scale.deviceWidth(), scale.deviceHeight(),
                    m_image.top(), m_image.rows(), band.x, band.y, band.width, band.height);
        y = band.bottom();
    }
    zfweb_paint_texts(this, scale.deviceWidth(), scale.deviceHeight(), device.x, device.y,
                      device.width, device.height);
}

bool WebWindowView::resized(int deviceWidth, int deviceHeight)
{
    const PixelRect client = m_form.clientBox();
    // A canvas far larger than its window would be a page's mistake: a ratio beyond 8 is none.
    if (deviceWidth <= 0 || deviceHeight <= 0 || deviceWidth > 8 * client.width ||
        deviceHeight > 8 * client.height)
        return false;
    try {
        // The picture goes to the canvas a band at a time: memory the page touches for the first
        // time costs it more than painting does, and a band's is soon warm.
        const int bandRows = std::max(1, BandPixels / deviceWidth);
        m_image.resize(forms::DeviceScale(client.width, client.height, deviceWidth, deviceHeight),
                       bandRows);
    } catch (const std::bad_alloc &) {
        return false; // the old picture stays, and the page shows it enlarged
    }
    repaint({0, 0, client.width, client.height});
    return true;
}

int WebWindowView::slotOf(const forms::Control &control) const
{
    const auto &controls = m_form.controls();
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [&](const auto &each) { return each.get() == &control; });
    return static_cast<int>(found - controls.begin());
}

void WebWindowView::sendLabel(int slot, const forms::Label &label) const
{
    zfweb_update_label(this, slot, label.caption().c_str(), forms::toRgba(label.foreColor()),
                       label.isReadable());
}

void WebWindowView::sendItems(int slot) const
{
    const auto &list = static_cast<const forms::ListBox &>(*m_form.controls()[std::size_t(slot)]);
    zfweb_clear_list(this, slot);
    for (const std::string &item : list.items())
        zfweb_add_list_item(this, slot, item.c_str());
    zfweb_update_list(this, slot, list.selectedIndex(), list.isEnabled(),
                      list.accessibleName().c_str());
}

void WebWindowView::controlChanged(const forms::Control &control, Change what)
{
    const int slot = slotOf(control);
    if (const auto *label = dynamic_cast<const forms::Label *>(&control)) {
        sendLabel(slot, *label); // its pixels come with the repaint after the handler
    } else if (const auto *button = dynamic_cast<const forms::CommandButton *>(&control)) {
        zfweb_update_button(this, slot, button->caption().c_str(), button->isEnabled());
    } else if (const auto *list = dynamic_cast<const forms::ListBox *>(&control)) {
        if (what == Change::Items)
            sendItems(slot);
        else
            zfweb_update_list(this, slot, list->selectedIndex(), list->isEnabled(),
                              list->accessibleName().c_str());
    }
}

void WebWindowView::drawingDescriptionChanged()
{
    zfweb_describe(this, m_form.drawingDescription().c_str());
}

void WebWindowView::announce(const std::string &text)
{
    zfweb_announce(text.c_str());
}

void WebWindowView::pressed(int slot)
{
    const auto &controls = m_form.controls();
    if (slot < 0 || slot >= static_cast<int>(controls.size()))
        return;
    if (const auto *button =
            dynamic_cast<const forms::CommandButton *>(controls[std::size_t(slot)].get()))
        button->press();
}

void WebWindowView::chosen(int slot, int index)
{
    const auto &controls = m_form.controls();
    if (slot < 0 || slot >= static_cast<int>(controls.size()))
        return;
    if (auto *list = dynamic_cast<forms::ListBox *>(controls[std::size_t(slot)].get()))
        list->choose(index);
}

// --- WebFace ---------------------------------------------------------------------------------

std::unique_ptr<forms::WindowView> WebFace::createView(forms::Form &form)
{
    return std::make_unique<WebWindowView>(form);
}

void WebFace::showReport(const forms::RuntimeError &error)
{
    // The page cannot wait for the user here; the dialog is modal, and the page holds back the
    // end of the program behind it until the user closes it.
    zfweb_report(std::string(error.description()).c_str(),
                 std::string(forms::ReportAdvice).c_str());
}

void WebFace::programEnded(int exitStatus)
{
    zfweb_program_ended(exitStatus);
}

std::string WebFace::decimalSeparator()
{
    char *separator = zfweb_decimal_separator();
    std::string result = separator ? separator : ",";
    std::free(separator);
    return result;
}

} // namespace webface

// The page's events, called from face.js.
extern "C" {

EMSCRIPTEN_KEEPALIVE void zfweb_pressed(webface::WebWindowView *view, int slot)
{
    view->pressed(slot);
}

EMSCRIPTEN_KEEPALIVE void zfweb_chosen(webface::WebWindowView *view, int slot, int index)
{
    view->chosen(slot, index);
}

EMSCRIPTEN_KEEPALIVE int zfweb_resized(webface::WebWindowView *view, int width, int height)
{
    return view->resized(width, height) ? 1 : 0;
}
}
