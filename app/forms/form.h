// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "colour.h"
#include "controls.h"
#include "layout.h"
#include "runtime.h"

#include <QWidget>
#include <algorithm>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace forms {

// A window built from a layout table: the controls the table lists, a user coordinate
// system for setting points, and the load event. Lines and labels are painted by the window
// itself; buttons and list boxes are real widgets on top. Handlers reach controls by name.
class Form : public QWidget
{
    Q_OBJECT

public:
    Form(Runtime &runtime, const FormSpec &windowLayout, QWidget *parent = nullptr);
    ~Form() override;

    // Raises the load event; the window's owner calls it once, right after creating it.
    void load();

    // Show and Hide, as handlers call them.
    void Show();
    void Hide();

    // Sets one point at user coordinates, in the given colour or else the ForeColor.
    void PSet(float x, float y) { setPoint(x, y, m_foreColor); }
    void PSet(float x, float y, Colour colour) { setPoint(x, y, colour); }

    Colour foreColor() const { return m_foreColor; }
    Colour backColor() const { return m_backColor; }
    // Where a user point lands, in twips from the client area's top-left corner and in
    // logical pixels.
    QPointF userToTwips(double x, double y) const { return m_scale.toTwips(x, y); }
    QPoint userToPixel(double x, double y) const { return twipsToPixel(userToTwips(x, y)); }

    Runtime &runtime() const { return m_runtime; }
    QColor resolve(Colour colour) const;

    // Controls by name, as the layout table names them; a name the table lacks is a
    // programming error and throws std::invalid_argument.
    template<typename T> T &control(QStringView name) const;
    Label &label(QStringView name) const;
    Line &line(QStringView name) const;
    CommandButton &commandButton(QStringView name) const;
    ListBox &listBox(QStringView name) const;
    const std::vector<std::unique_ptr<Control>> &controls() const { return m_controls; }

    // For the controls: the pixels inside this rectangle must be painted again.
    void controlChanged(const QRect &rect);

    // What the points set on the window show, in words, for screen readers (see
    // accessibility.h). Not a platform operation: nothing on screen changes.
    void setDrawingDescription(const QString &description);
    const QString &drawingDescription() const { return m_drawingDescription; }

protected:
    // The load event's handler; runs before the window is first shown.
    virtual void Form_Load() { }

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setPoint(float x, float y, Colour colour);
    void paintControls(QPainter &painter, const QRegion &region) const;
    void focusFirstControl();
    void requestRepaint(const QRect &firstChange);
    void startPoints(QPoint firstPixel, Colour colour);
    void flush();

    Runtime &m_runtime;
    Colour m_backColor;
    Colour m_foreColor;
    UserScale m_scale;
    std::vector<std::unique_ptr<Control>> m_controls; // in the order of the layout
    std::vector<const Line *> m_lines; // painted first
    std::vector<const Label *> m_labels; // painted over the lines
    std::vector<QWidget *> m_tabOrder; // widgets that take the focus, by TabIndex
    Canvas m_canvas;
    // What changed since the window's last update request, in logical pixels: the boxes of
    // changed controls, and the columns that points touched in each band of rows. Gathering
    // them costs a handler next to nothing; they join the one update request that Qt sends
    // after the handler, and their bands miss the widgets a curve's bounding box would take in.
    struct Columns
    {
        int left = std::numeric_limits<int>::max();
        int right = std::numeric_limits<int>::min();
    };
    static constexpr int BandHeight = 16; // [logical pixels]
    std::vector<QRect> m_changed;
    std::vector<Columns> m_pointBands; // one per band of rows, from the top
    bool m_repaintRequested = false;
    bool m_settingPoints = false; // since the last update request
    // The colour of the points being set, resolved once for a run of points in it.
    Colour m_pointColour = 0;
    QRgb m_pointRgb = 0;
    QString m_drawingDescription;
};

// Inline: a handler sets thousands of points in a row, and this is all a point costs beyond
// its pixels.
inline void Form::setPoint(float x, float y, Colour colour)
{
    m_runtime.call();
    const QPoint pixel = userToPixel(x, y);
    if (!m_canvas.contains(pixel))
        return; // dropped, as outside the window
    if (!m_settingPoints || colour != m_pointColour) [[unlikely]]
        startPoints(pixel, colour);
    m_canvas.setPoint(pixel.x(), pixel.y(), m_pointRgb);
    Columns &band = m_pointBands[static_cast<std::size_t>(pixel.y() / BandHeight)];
    band.left = std::min(band.left, pixel.x());
    band.right = std::max(band.right, pixel.x());
}

template<typename T> T &Form::control(QStringView name) const
{
    for (const auto &control : m_controls) {
        if (control->name() == name) {
            if (auto *typed = dynamic_cast<T *>(control.get()))
                return *typed;
            break;
        }
    }
    throw std::invalid_argument("no control of that name and kind in the window's layout: " +
                                name.toString().toStdString());
}

} // namespace forms
