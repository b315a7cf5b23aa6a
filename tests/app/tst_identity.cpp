// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How the program introduces itself to the desktop: name, version, launcher and icon.

#include "comparison/form2.h"
#include "identity.h"
#include "lesson/form1.h"
#include "windowtest.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace Qt::StringLiterals;

class TestIdentity : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void nameAndVersion();
    void launcherMatches();
    void icon_data();
    void icon();
    void windowsCarryTheIcon();
};

void TestIdentity::initTestCase()
{
    identity::apply();
    testsupport::prepareApplication();
}

void TestIdentity::nameAndVersion()
{
    QCOMPARE(QApplication::applicationName(), u"Zerfallsfrist"_s);
    QCOMPARE(QApplication::applicationVersion(), u"1.00"_s);
}

void TestIdentity::launcherMatches()
{
    // Desktops match the windows to the launcher that started them by this name, and find
    // the installed icon by it: the launcher and the metainfo carry it as their file names.
    const QString name = QApplication::desktopFileName();
    QCOMPARE(name, identity::desktopFileName());
    QVERIFY(name.count(u'.') >= 2); // reverse-DNS
    const QString resources = QStringLiteral(ZF_SOURCE_DIR "/resources/");
    QVERIFY(QFileInfo::exists(resources + name + u".desktop"_s));
    QVERIFY(QFileInfo::exists(resources + name + u".metainfo.xml"_s));
}

void TestIdentity::icon_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("16 px") << 16;
    QTest::newRow("32 px") << 32;
    QTest::newRow("48 px") << 48;
}

void TestIdentity::icon()
{
    QFETCH(int, size);
    const QIcon icon = QApplication::windowIcon();
    QCOMPARE(icon.availableSizes().size(), 3);
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    QCOMPARE(icon.pixmap(QSize(size, size), 1.0).size(), QSize(size, size));
    // The compiled-in image is the committed one.
    QFile compiledIn(u":/icons/zerfallsfrist-%1.png"_s.arg(size));
    QFile committed(
        QStringLiteral(ZF_SOURCE_DIR "/resources/icons/zerfallsfrist-%1.png").arg(size));
    QVERIFY(compiledIn.open(QIODevice::ReadOnly));
    QVERIFY(committed.open(QIODevice::ReadOnly));
    QCOMPARE(compiledIn.readAll(), committed.readAll());
}

void TestIdentity::windowsCarryTheIcon()
{
    testsupport::RecordingQtFace face;
    forms::Runtime runtime(face, ",");
    Form1 lesson(runtime);
    Form2 comparison(runtime);
    for (const QWidget *window : {qtface::windowOf(lesson), qtface::windowOf(comparison)}) {
        QCOMPARE(window->windowIcon().availableSizes(),
                 QApplication::windowIcon().availableSizes());
        QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
}

QTEST_MAIN(TestIdentity)
#include "tst_identity.moc"
