// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists where the two windows' texts and widgets lie, in logical pixels, for the test that
// holds the Windows face's pictures against the desktop's: those boxes are where the faces may
// differ (their own text rendering, their own widgets), and nowhere else.
//
//     <form> <client width> <client height>
//     <kind> <name> <x> <y> <width> <height>          kind: label or widget

#include "comparison/form2.h"
#include "lesson/form1.h"
#include "recordingface.h"

#include <cstdio>

namespace {

void list(const forms::Form &form)
{
    const forms::PixelRect client = form.clientBox();
    std::printf("%s %d %d\n", form.name().c_str(), client.width, client.height);
    for (const forms::Label *label : form.labels()) {
        const forms::PixelRect box = label->box();
        std::printf("label %s %d %d %d %d\n", label->name().c_str(), box.x, box.y, box.width,
                    box.height);
    }
    for (const forms::WidgetControl *widget : form.tabOrder()) {
        const forms::PixelRect box = widget->box();
        std::printf("widget %s %d %d %d %d\n", widget->name().c_str(), box.x, box.y, box.width,
                    box.height);
    }
}

} // namespace

int main()
{
    testsupport::RecordingFace face;
    forms::Runtime runtime(face, ",");
    Form1 lesson(runtime);
    Form2 comparison(runtime);
    list(lesson);
    list(comparison);
    return 0;
}
