// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/form.h"

#include <algorithm>
#include <vector>

namespace win32face {

// The order in which a reader meets a window's labels and widgets: by TabIndex, in the
// layout's order where two share one. Lines are not read.
inline std::vector<const forms::Control *> readingOrder(const forms::Form &form)
{
    std::vector<const forms::Control *> order;
    for (const auto &control : form.controls())
        if (control->kind() != forms::ControlKind::Line)
            order.push_back(control.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const auto *a, const auto *b) { return a->tabIndex() < b->tabIndex(); });
    return order;
}

// A label a reader finds: one that is shown and has something to say.
inline bool isReadable(const forms::Label &label)
{
    return label.isVisible() && !label.caption().empty();
}

} // namespace win32face
