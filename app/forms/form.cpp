// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "form.h"

#include "accessibility.h"
#include "fonts.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

namespace forms {

Form::Form(Runtime &runtime, const FormSpec &windowLayout, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_runtime(runtime)
    , m_backColor(windowLayout.backColor.value_or(Default::FormBackColor))
    , m_foreColor(windowLayout.foreColor.value_or(Default::FormForeColor))
    , m_scale(windowLayout.scale)
    , m_canvas(windowLayout.client.toPixels().size(),
               [this](QPainter &painter, const QRegion &region) { paintControls(painter, region); })
    , m_pointBands(
          static_cast<std::size_t>(windowLayout.client.toPixels().height() / BandHeight + 1))
{
    setObjectName(windowLayout.name.toString());
    setWindowTitle(windowLayout.caption.toString());
    setFont(makeFont(windowLayout.font.face.isEmpty() ? Default::Font : windowLayout.font));
    // The layout is fixed, so is the window: it opens at its stored place and size.
    setGeometry(windowLayout.client.toPixels());
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_OpaquePaintEvent); // paintEvent covers every pixel itself

    for (const ControlSpec &row : windowLayout.controls) {
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
            break;
        case ControlKind::ListBox:
            m_controls.push_back(std::make_unique<ListBox>(*this, row));
            break;
        }
    }

    // Only real widgets take the focus, in the order of their TabIndex.
    std::vector<const WidgetControl *> focusable;
    for (const auto &control : m_controls)
        if (const auto *widgetControl = dynamic_cast<const WidgetControl *>(control.get()))
            focusable.push_back(widgetControl);
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto *a, const auto *b) { return a->tabIndex() < b->tabIndex(); });
    for (const auto *control : focusable)
        m_tabOrder.push_back(control->widget());
    for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
        setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);

    m_runtime.addWindow(this);
}

Form::~Form()
{
    m_runtime.removeWindow(this);
}

void Form::load()
{
    m_runtime.dispatch([this] { Form_Load(); });
}

void Form::Show()
{
    m_runtime.call();
    show();
    // Showing a window hides its focus until a Tab is pressed in it; a keyboard user who
    // arrives here must see at once where the focus is.
    setAttribute(Qt::WA_KeyboardFocusChange);
    activateWindow();
    if (!focusWidget())
        focusFirstControl();
}

void Form::Hide()
{
    m_runtime.call();
    hide();
}

QColor Form::resolve(Colour colour) const
{
    return resolveColour(colour, palette());
}

Label &Form::label(QStringView name) const
{
    return control<Label>(name);
}

Line &Form::line(QStringView name) const
{
    return control<Line>(name);
}

CommandButton &Form::commandButton(QStringView name) const
{
    return control<CommandButton>(name);
}

ListBox &Form::listBox(QStringView name) const
{
    return control<ListBox>(name);
}

void Form::controlChanged(const QRect &rect)
{
    if (!rect.intersects(QRect(QPoint(), size())))
        return;
    if (!m_repaintRequested)
        requestRepaint(rect);
    m_changed.push_back(rect);
}

void Form::setDrawingDescription(const QString &description)
{
    if (m_drawingDescription == description)
        return;
    m_drawingDescription = description;
    accessibility::drawingChanged(*this);
}

void Form::requestRepaint(const QRect &firstChange)
{
    // The first change since the last repaint: have Qt send the window its update request
    // once the handler has returned. The changes after this one join that request in event().
    m_repaintRequested = true;
    update(firstChange);
}

void Form::startPoints(QPoint firstPixel, Colour colour)
{
    // A point in a new colour, or the first since the last repaint: the colour is resolved
    // (a system colour through the palette) and the screen's density looked up once for all
    // the points that follow in it.
    m_pointColour = colour;
    m_pointRgb = isSystemColour(colour) ? resolve(colour).rgb() : explicitRgb(colour);
    if (m_settingPoints)
        return;
    m_settingPoints = true;
    m_canvas.preparePoints(devicePixelRatioF());
    if (!m_repaintRequested)
        requestRepaint(QRect(firstPixel, QSize(1, 1)));
}

bool Form::event(QEvent *event)
{
    if (event->type() == QEvent::UpdateRequest && m_repaintRequested)
        flush();
    return QWidget::event(event);
}

void Form::flush()
{
    m_repaintRequested = false;
    m_settingPoints = false;
    QRegion changed;
    for (const QRect &rect : m_changed)
        changed += rect;
    m_changed.clear();
    m_canvas.controlsChanged(changed);

    std::vector<QRect> bands;
    for (std::size_t i = 0; i < m_pointBands.size(); ++i) {
        Columns &band = m_pointBands[i];
        if (band.left <= band.right)
            bands.emplace_back(band.left, static_cast<int>(i) * BandHeight,
                               band.right - band.left + 1, BandHeight);
        band = Columns();
    }
    // One rectangle per band, from the top down: the sorted form setRects takes as it is.
    QRegion points;
    points.setRects(bands.data(), static_cast<int>(bands.size()));
    update(changed | points);
}

void Form::paintControls(QPainter &painter, const QRegion &region) const
{
    // The whole region at once, each control painted once and in one order: painted rectangle
    // by rectangle, a line drawn for one would land on a neighbour already painted, over its
    // labels or over the lines that lie above it there. The painter is clipped to the region.
    const QColor background = resolve(m_backColor);
    for (const QRect &rect : region)
        painter.fillRect(rect, background);
    // Labels lie over lines: a guide line that runs into a value's box stops there instead of
    // striking through the number, and transparent labels let lines show through anyway.
    for (const Line *line : m_lines)
        if (line->isVisible() && region.intersects(line->bounds()))
            line->paint(painter);
    for (const Label *label : m_labels)
        if (label->isVisible() && region.intersects(label->bounds()))
            label->paint(painter);
}

void Form::paintEvent(QPaintEvent *event)
{
    // Painted before the update request has come (grabbed, or shown after changes made while
    // hidden): the changes must reach the canvas first.
    if (m_repaintRequested)
        flush();
    QPainter painter(this);
    m_canvas.paint(painter, event->region(), devicePixelRatioF());
}

void Form::closeEvent(QCloseEvent *event)
{
    // The layout has no handler for closing; closing either window ends the program, so a
    // hidden window never keeps an invisible process alive.
    event->accept();
    m_runtime.endProgram(0);
}

void Form::focusFirstControl()
{
    for (QWidget *widget : m_tabOrder) {
        if (widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace forms
