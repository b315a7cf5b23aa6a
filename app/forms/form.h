// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "canvas.h"
#include "colour.h"
#include "controls.h"
#include "layout.h"
#include "runtime.h"

#include <QWidget>
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
    Form(Runtime &runtime, const FormSpec &spec, QWidget *parent = nullptr);
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
    const UserScale &scale() const { return m_scale; }
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

    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void setPoint(float x, float y, Colour colour);
    void paintControls(QPainter &painter, const QRegion &region) const;
    void focusFirstControl();
    void flushPoints();

    Runtime &m_runtime;
    Colour m_backColor;
    Colour m_foreColor;
    UserScale m_scale;
    std::vector<std::unique_ptr<Control>> m_controls; // in the order of the layout
    std::vector<const Line *> m_lines; // painted first
    std::vector<const Label *> m_labels; // painted over the lines
    std::vector<QWidget *> m_tabOrder; // widgets that take the focus, by TabIndex
    Canvas m_canvas;
    // Logical pixels touched by points since the last repaint request: one request per
    // handler, however many points it sets.
    int m_pointsLeft = std::numeric_limits<int>::max();
    int m_pointsTop = std::numeric_limits<int>::max();
    int m_pointsRight = std::numeric_limits<int>::min();
    int m_pointsBottom = std::numeric_limits<int>::min();
    bool m_flushPending = false;
    qreal m_ratio = 1.0; // the screen's density while a handler sets points
    QString m_drawingDescription;
};

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
