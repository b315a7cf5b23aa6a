// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "faces/qt/qtface.h"
#include "forms/colour.h"
#include "forms/errors.h"
#include "forms/runtime.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QStringList>
#include <memory>
#include <vector>

class QWidget;
namespace forms {
class CommandButton;
class Form;
class Label;
class ListBox;
} // namespace forms

// What the window tests share: the face prepared as the program prepares it, a face that
// records instead of showing, a window shown afresh for each test function, the pupil's
// gestures, the screen as the platform holds it, and what the controls hold and show.
namespace testsupport {

// Prepares the application as the program does (faces, style, palette, accessibility); call in
// initTestCase.
void prepareApplication();

// The Qt face with its windows, recording the error reports and the end of the program
// instead of showing a message box and leaving the event loop. Tests run many programs in one
// process, and once asked to exit, Qt quits every event loop started afterwards.
class RecordingQtFace : public qtface::QtFace
{
public:
    std::vector<forms::ErrorKind> reported;
    std::vector<int> ended; // exit statuses, in the order the program ended

    void showReport(const forms::RuntimeError &error) override { reported.push_back(error.kind()); }
    void programEnded(int exitStatus) override { ended.push_back(exitStatus); }
};

// The frame of a test class whose every test function meets one window afresh: the
// application prepared once; before each function a new runtime with the window made, loaded
// and shown as the program shows it, and active; after each, a check that no error was
// reported. A test class derives from WindowTest<F>; one that needs more in initTestCase
// declares its own and calls prepareApplication there.
class WindowTestFrame : public QObject
{
    Q_OBJECT

public:
    ~WindowTestFrame() override;

protected:
    RecordingQtFace &face() const { return *m_face; }
    forms::Runtime &runtime() const { return *m_runtime; }
    forms::Form &shownForm() const { return *m_form; }
    QWidget *window() const;

protected Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

private:
    virtual std::unique_ptr<forms::Form> makeForm(forms::Runtime &runtime) const = 0;
    void drop();

    // In this order, so the form goes before its runtime, and that before its face.
    std::unique_ptr<RecordingQtFace> m_face;
    std::unique_ptr<forms::Runtime> m_runtime;
    std::unique_ptr<forms::Form> m_form;
};

// F is made from the runtime alone.
template<class F> class WindowTest : public WindowTestFrame
{
protected:
    F &form() const { return static_cast<F &>(shownForm()); }

private:
    std::unique_ptr<forms::Form> makeForm(forms::Runtime &runtime) const override
    {
        return std::make_unique<F>(runtime);
    }
};

// The pupil's gestures, with the mouse: a click on a list's entry, a click on a button.
void choose(forms::ListBox &list, int row);
void press(forms::CommandButton &button);
// A key pressed on whatever has the focus in the form's window.
void pressKey(const forms::Form &form, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Whether the window of this name has been made: programs make their windows on first use,
// and asking a program for one makes it.
bool windowMade(const char *formName);

// The widget that has the keyboard focus, and the widget of a control.
QWidget *focusWidget();
QWidget *widget(const forms::CommandButton &button);
QWidget *widget(const forms::ListBox &list);

// The window's pixels as the platform got them, once the event loop has delivered every
// repaint asked for so far: in device pixels, with the device pixel ratio set.
QImage screenImage(const forms::Form &form);

// The colour of the device pixel at the centre of a logical pixel.
QRgb pixelAt(const QImage &image, QPoint logical);

// Whether any device pixel inside the logical rectangle has this colour, each channel within
// the tolerance (anti-aliased text rarely inks a pixel in exactly its colour).
bool contains(const QImage &image, const QRect &logical, QRgb colour, int tolerance = 0);

// A colour of a layout or a handler as the screen shows it.
QRgb rgb(forms::Colour colour);

// The logical pixels a label's text inks when painted without clipping: what must fit its box.
QRect inkRect(const forms::Label &label, qreal devicePixelRatio);

// Which side of its controls a state dump reads: what they hold, what their widgets show
// (labels and lines have none: what they hold), or both.
enum class Side { Held, Shown, Both };

// What a pupil could see of a window's controls, or a handler goes on from: one entry per
// control in the layout's order. Reading it makes no platform call.
QStringList controlState(const forms::Form &form, Side side = Side::Both);

} // namespace testsupport
