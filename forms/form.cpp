// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include <algorithm>

namespace forms {

Form::Form(Runtime &runtime, const FormLayout &windowLayout)
    : m_runtime(runtime)
    , m_name(windowLayout.name)
    , m_caption(windowLayout.caption)
    , m_clientBox(windowLayout.client.toPixels())
    , m_backColor(windowLayout.backColor.value_or(Default::FormBackColor))
    , m_foreColor(windowLayout.foreColor.value_or(Default::FormForeColor))
    , m_font(windowLayout.font.face.empty() ? Default::Font : windowLayout.font)
    , m_scale(windowLayout.scale)
    , m_points(m_clientBox.width, m_clientBox.height)
{
    for (const ControlLayout &row : windowLayout.controls) {
        switch (row.kind) {
        case ControlKind::Label: {
            auto label = std::make_unique<Label>(*this, row);
            m_labels.push_back(label.get());
            m_controls.push_back(std::move(label));
            break;
        }
        case ControlKind::Line: {
            auto line = std::make_unique<Line>(*this, row);
            m_lines.push_back(line.get());
            m_controls.push_back(std::move(line));
            break;
        }
        case ControlKind::CommandButton:
            m_controls.push_back(std::make_unique<CommandButton>(*this, row));
            m_tabOrder.push_back(static_cast<WidgetControl *>(m_controls.back().get()));
            break;
        case ControlKind::ListBox:
            m_controls.push_back(std::make_unique<ListBox>(*this, row));
            m_tabOrder.push_back(static_cast<WidgetControl *>(m_controls.back().get()));
            break;
        }
    }
    const auto byTabIndex = [](const Control *a, const Control *b) {
        return a->tabIndex() < b->tabIndex();
    };
    std::stable_sort(m_tabOrder.begin(), m_tabOrder.end(), byTabIndex);
    for (const auto &control : m_controls)
        if (control->kind() != ControlKind::Line)
            m_readingOrder.push_back(control.get());
    std::stable_sort(m_readingOrder.begin(), m_readingOrder.end(), byTabIndex);

    m_view = m_runtime.face().createView(*this);
    m_runtime.addWindow(*this);
}

Form::~Form()
{
    m_runtime.removeWindow(*this);
}

void Form::load()
{
    m_runtime.dispatch([this] { Form_Load(); });
}

void Form::Show()
{
    m_runtime.call();
    m_shown = true;
    m_view->show();
}

void Form::Hide()
{
    m_runtime.call();
    m_shown = false;
    m_view->hide();
}

void Form::setDrawingDescription(std::string description)
{
    if (m_drawingDescription == description)
        return;
    m_drawingDescription = std::move(description);
    m_view->drawingDescriptionChanged();
}

void Form::announce(std::string text)
{
    m_announcement = std::move(text);
    m_view->announce(m_announcement);
}

void Form::controlChanged(const Control &control, Change what, const PixelRect &pixels)
{
    m_changed = m_changed.united(pixels.intersected({0, 0, m_clientBox.width, m_clientBox.height}));
    m_view->controlChanged(control, what);
}

void Form::flushChanges()
{
    if (m_changed.isEmpty())
        return;
    const PixelRect changed = m_changed;
    m_changed = {};
    m_view->repaint(changed);
}

void Form::hideAtEnd()
{
    m_changed = {};
    m_shown = false;
    m_view->hide();
}

} // namespace forms
