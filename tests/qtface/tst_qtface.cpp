// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the Qt face brings besides windows: the user's decimal separator in a face that can
// draw it, the widgets' palette in the core's colour scheme, and the error report.

#include "faces/qt/qtface.h"
#include "forms/runtime.h"
#include "windowtest.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace forms;
using namespace Qt::StringLiterals;

class TestQtFace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testsupport::prepareApplication(); }
    void decimalSeparator_data();
    void decimalSeparator();
    void paletteIsTheScheme_data();
    void paletteIsTheScheme();
    void errorReportIsAModalMessageBox();
};

void TestQtFace::decimalSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("German") << u"de_DE"_s << u","_s;
    QTest::newRow("English") << u"en_US"_s << u"."_s;
    QTest::newRow("French") << u"fr_FR"_s << u","_s;
    // Arabic in Egypt writes U+066B, which Liberation Sans cannot draw.
    QTest::newRow("Arabic: a comma instead") << u"ar_EG"_s << u","_s;
}

void TestQtFace::decimalSeparator()
{
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QCOMPARE(QString::fromStdString(qtface::decimalSeparator(QLocale(locale))), separator);
    if (locale == u"ar_EG"_s)
        QCOMPARE(QLocale(locale).decimalPoint(), u"\u066B"_s); // so the fallback was needed
}

void TestQtFace::paletteIsTheScheme_data()
{
    // The widgets' colours are those the core gives the painted controls: a list's selection,
    // a button's face and the window behind them match on every desktop.
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<unsigned>("index"); // in the desktop's colour scheme
    QTest::newRow("button face") << QPalette::Button << 15u;
    QTest::newRow("window background") << QPalette::Base << 5u;
    QTest::newRow("highlight") << QPalette::Highlight << 13u;
    QTest::newRow("highlighted text") << QPalette::HighlightedText << 14u;
    QTest::newRow("window text") << QPalette::Text << 8u;
    QTest::newRow("button text") << QPalette::ButtonText << 18u;
    QTest::newRow("button shadow") << QPalette::Dark << 16u;
}

void TestQtFace::paletteIsTheScheme()
{
    QFETCH(QPalette::ColorRole, role);
    QFETCH(unsigned, index);
    QCOMPARE(QApplication::palette().color(role).rgb(), testsupport::rgb(0x80000000u | index));
}

void TestQtFace::errorReportIsAModalMessageBox()
{
    // The face's own report; only the end is recorded, as leaving the event loop here would
    // end every event loop the test starts afterwards.
    struct Face : qtface::QtFace
    {
        std::vector<int> ended;
        void programEnded(int exitStatus) override { ended.push_back(exitStatus); }
    } face;
    Runtime runtime(face, ",");
    QString title, text;
    bool ranDuringReport = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        // While the report is up no handler may run.
        runtime.dispatch([&] { ranDuringReport = true; });
        box->accept();
    });
    runtime.dispatch([] { throw RuntimeError(ErrorKind::Overflow); });
    QCOMPARE(title, u"Zerfallsfrist"_s);
    QCOMPARE(text,
             u"Eine Rechnung hat eine Zahl ergeben, die zu groß ist.\n\nDas Programm wird jetzt "
             "beendet. Starte es neu, um weiterzuarbeiten. Wenn der Fehler wieder auftritt, sag "
             "bitte deiner Lehrerin oder deinem Lehrer Bescheid."_s);
    QVERIFY(!ranDuringReport);
    QCOMPARE(face.ended, std::vector<int>{RuntimeErrorExitStatus});
}

QTEST_MAIN(TestQtFace)
#include "tst_qtface.moc"
