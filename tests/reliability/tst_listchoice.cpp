// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The isotope list keeps the pupil's choice whatever is clicked or pressed on it: a click on
// the empty strip below the last entry, a Ctrl+click or Ctrl+Space on the chosen entry, and the
// keys that jump to either end or page through it. Each may choose another entry, never none
// and never one the lesson does not have, and the captions always name the entry shown chosen.

#include "lesson/form1.h"
#include "program/program.h"
#include "windowtest.h"

#include <QListWidget>
#include <QTest>
#include <map>
#include <vector>

using namespace forms;
using namespace Qt::StringLiterals;

class TestListChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }
    void choiceStays_data();
    void choiceStays();
};

void TestListChoice::choiceStays_data()
{
    QTest::addColumn<QString>("gesture");
    for (const QString &gesture :
         {u"click below the entries"_s, u"Ctrl+click on the entry"_s, u"Ctrl+Space"_s, u"End"_s,
          u"Home"_s, u"Page Down"_s, u"Page Up"_s, u"Ctrl+End"_s, u"End, then Down"_s})
        QTest::newRow(qPrintable(gesture)) << gesture;
}

void TestListChoice::choiceStays()
{
    QFETCH(QString, gesture);
    testsupport::RecordingQtFace face;
    Runtime runtime(face, ",");
    Program program(runtime);
    program.start();
    Form1 &lesson = program.form1();
    auto *list = qobject_cast<QListWidget *>(testsupport::widget(lesson.List1));
    testsupport::choose(lesson.List1, 3); // Uran 238
    QCOMPARE(lesson.Label10.caption(), "Uran 238");

    QWindow *window = qtface::windowOf(lesson)->windowHandle();
    const QPoint chosen = list->viewport()->mapTo(qtface::windowOf(lesson),
                                                  list->visualItemRect(list->item(3)).center());
    if (gesture == u"click below the entries") {
        // The strip under "Kohlenstoff 14", where a pupil took the choice back before.
        QVERIFY(
            !list->itemAt(list->viewport()->mapFrom(qtface::windowOf(lesson), QPoint(320, 128))));
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(320, 128));
    } else if (gesture == u"Ctrl+click on the entry") {
        QTest::mouseClick(window, Qt::LeftButton, Qt::ControlModifier, chosen);
    } else {
        static const std::map<QString, std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>>
            keys = {{u"Ctrl+Space"_s, {{Qt::Key_Space, Qt::ControlModifier}}},
                    {u"End"_s, {{Qt::Key_End, {}}}},
                    {u"Home"_s, {{Qt::Key_Home, {}}}},
                    {u"Page Down"_s, {{Qt::Key_PageDown, {}}}},
                    {u"Page Up"_s, {{Qt::Key_PageUp, {}}}},
                    {u"Ctrl+End"_s, {{Qt::Key_End, Qt::ControlModifier}}},
                    {u"End, then Down"_s, {{Qt::Key_End, {}}, {Qt::Key_Down, {}}}}};
        list->setFocus();
        for (const auto &[key, modifiers] : keys.at(gesture))
            QTest::keyClick(window, key, modifiers);
    }

    const int index = lesson.List1.selectedIndex();
    QVERIFY2(index >= 0 && index < list->count(), qPrintable(u"entry %1"_s.arg(index)));
    QCOMPARE(list->selectedItems().size(), 1);
    QCOMPARE(list->row(list->selectedItems().first()), index);
    QCOMPARE(lesson.Label10.caption(), lesson.List1.items()[static_cast<std::size_t>(index)]);
    QVERIFY(lesson.Command1.isEnabled());
    QVERIFY(face.reported.empty());
}

QTEST_MAIN(TestListChoice)
#include "tst_listchoice.moc"
