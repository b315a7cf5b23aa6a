// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/errors.h"
#include "forms/face.h"
#include "forms/form.h"

#include <optional>
#include <string>
#include <vector>

// A face that shows nothing and records what the core asks of it, for tests of the core and
// the handlers without any window system.
namespace testsupport {

struct RecordingView final : forms::WindowView
{
    bool shown = false;
    std::vector<forms::PixelRect> repaints;
    std::vector<std::string> announcements;

    void show() override { shown = true; }
    void hide() override { shown = false; }
    void repaint(const forms::PixelRect &rect) override { repaints.push_back(rect); }
    void controlChanged(const forms::Control &, forms::Change) override { }
    void drawingDescriptionChanged() override { }
    void announce(const std::string &text) override { announcements.push_back(text); }
};

struct RecordingFace final : forms::Face
{
    std::vector<forms::ErrorKind> reports;
    std::optional<int> endedWith;

    std::unique_ptr<forms::WindowView> createView(forms::Form &) override
    {
        return std::make_unique<RecordingView>();
    }
    void showReport(const forms::RuntimeError &error) override { reports.push_back(error.kind()); }
    void programEnded(int exitStatus) override { endedWith = exitStatus; }

    static RecordingView &viewOf(const forms::Form &form)
    {
        return static_cast<RecordingView &>(form.view());
    }
};

// The colour a point of the window shows at user coordinates; 0 where none was set.
inline forms::Rgba pointAt(const forms::Form &form, float x, float y)
{
    const auto pixel = form.scale().toPixel(x, y);
    return pixel && form.points().contains(*pixel) ? form.points().at(*pixel) : 0;
}

} // namespace testsupport
