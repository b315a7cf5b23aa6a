// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/deviceimage.h"
#include "forms/face.h"

#include <string>

namespace forms {
class Label;
}

// The browser face: each window is a block of the page with a canvas that shows the window's
// picture as the core paints it, the labels' texts over it, and real buttons and list boxes. The
// page's script (face.js) makes and changes the elements; this side decides what they show.
namespace webface {

class WebWindowView final : public forms::WindowView
{
public:
    explicit WebWindowView(forms::Form &form);
    ~WebWindowView() override;
    WebWindowView(const WebWindowView &) = delete;
    WebWindowView &operator=(const WebWindowView &) = delete;

    void show() override;
    void hide() override;
    void repaint(const forms::PixelRect &rect) override;
    void controlChanged(const forms::Control &control, forms::Change what) override;
    void drawingDescriptionChanged() override;
    void announce(const std::string &text) override;

    // The page's events. Controls are named by their place in the window's layout; the page's
    // word is checked, never trusted.
    void pressed(int slot);
    void chosen(int slot, int index);
    // The canvas's size in device pixels changed: a new density, a zoom. Paints it all anew.
    void resized(int deviceWidth, int deviceHeight);

private:
    int slotOf(const forms::Control &control) const;
    void sendLabel(int slot, const forms::Label &label) const;
    void sendItems(int slot) const;

    forms::Form &m_form;
    forms::DeviceImage m_image;
};

class WebFace final : public forms::Face
{
public:
    WebFace() = default;
    WebFace(const WebFace &) = delete;
    WebFace &operator=(const WebFace &) = delete;

    std::unique_ptr<forms::WindowView> createView(forms::Form &form) override;
    void showReport(const forms::RuntimeError &error) override;
    void programEnded(int exitStatus) override;

    // The user's decimal separator, from the browser's language.
    static std::string decimalSeparator();
};

} // namespace webface
