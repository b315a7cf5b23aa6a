// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The resources of Zerfallsfrist.exe, compiled from zerfallsfrist.rc by MinGW's resource
// compiler and read back from the .res file: the version record and the icon group with its
// three images, byte by byte as Windows reads them. Where the compiler is missing there is
// nothing to read, and the test tells CTest it was skipped.

#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>
#include <cstdio>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int RtIcon = 3;
constexpr int RtGroupIcon = 14;
constexpr int RtVersion = 16;
constexpr int German = 0x0407;

quint16 word(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 dword(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

qsizetype alignedTo4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// A NUL-terminated UTF-16 string at `at`; `at` moves past the terminator.
QString utf16(const QByteArray &data, qsizetype &at)
{
    QString text;
    while (at + 1 < data.size()) {
        const quint16 unit = word(data, at);
        at += 2;
        if (unit == 0)
            break;
        text += QChar(unit);
    }
    return text;
}

struct Resource
{
    int language;
    QByteArray data;
};

// The resources of a .res file by type and numeric name. Each entry is a header (data size,
// header size, type and name as 0xFFFF and a number, ..., language) and its data, both
// padded to four bytes.
std::optional<std::map<std::pair<int, int>, Resource>> readResources(const QByteArray &file)
{
    std::map<std::pair<int, int>, Resource> resources;
    qsizetype at = 0;
    while (at + 32 <= file.size()) {
        const quint32 dataSize = dword(file, at);
        const quint32 headerSize = dword(file, at + 4);
        if (word(file, at + 8) != 0xFFFF || word(file, at + 12) != 0xFFFF)
            return std::nullopt; // names are all numbers here
        const int type = word(file, at + 10);
        const int name = word(file, at + 14);
        const int language = word(file, at + 22);
        if (at + headerSize + dataSize > quint32(file.size()))
            return std::nullopt;
        if (type != 0) // the empty first entry marks a 32-bit .res file
            resources[{type, name}] = {language, file.mid(at + headerSize, dataSize)};
        at = alignedTo4(at + headerSize + dataSize);
    }
    return resources;
}

// One node of a version record: length, value length, type, key, value, children.
struct VersionNode
{
    QString key;
    QByteArray value;
    bool text = false;
    std::vector<VersionNode> children;
};

VersionNode readVersionNode(const QByteArray &data, qsizetype at)
{
    const qsizetype end = at + word(data, at);
    const qsizetype valueLength = word(data, at + 2);
    VersionNode node;
    node.text = word(data, at + 4) == 1;
    qsizetype cursor = at + 6;
    node.key = utf16(data, cursor);
    cursor = alignedTo4(cursor);
    // Text values count UTF-16 units, binary ones bytes.
    const qsizetype valueBytes = node.text ? 2 * valueLength : valueLength;
    node.value = data.mid(cursor, valueBytes);
    cursor = alignedTo4(cursor + valueBytes);
    while (cursor < end) {
        node.children.push_back(readVersionNode(data, cursor));
        cursor = alignedTo4(cursor + word(data, cursor));
    }
    return node;
}

const VersionNode *childNamed(const VersionNode &node, const QString &key)
{
    for (const VersionNode &child : node.children)
        if (child.key == key)
            return &child;
    return nullptr;
}

QString textValue(const VersionNode &node)
{
    qsizetype at = 0;
    return utf16(node.value, at);
}

} // namespace

class TestWindowsResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyResourceIsGerman();
    void versionRecord();
    void fixedVersion();
    void iconGroup();

private:
    std::map<std::pair<int, int>, Resource> m_resources;
    VersionNode m_version;
};

void TestWindowsResources::initTestCase()
{
    const QString path = QStringLiteral(ZF_WINDOWS_RES);
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    auto resources = readResources(file.readAll());
    QVERIFY(resources);
    m_resources = std::move(*resources);
    QVERIFY(m_resources.count({RtVersion, 1}));
    m_version = readVersionNode(m_resources[{RtVersion, 1}].data, 0);
}

void TestWindowsResources::everyResourceIsGerman()
{
    // the group, its three images and the version record, all in German (Germany)
    QCOMPARE(m_resources.size(), 5u);
    for (const auto &[id, resource] : m_resources)
        QCOMPARE(resource.language, German);
}

void TestWindowsResources::versionRecord()
{
    QCOMPARE(m_version.key, u"VS_VERSION_INFO"_s);
    const VersionNode *strings = childNamed(m_version, u"StringFileInfo"_s);
    QVERIFY(strings);
    // one table: German (0407) in UTF-16 (code page 1200 = 04B0)
    QCOMPARE(strings->children.size(), 1u);
    const VersionNode &table = strings->children.front();
    QCOMPARE(table.key, u"040704B0"_s);
    const std::pair<QString, QString> entries[] = {{u"FileVersion"_s, u"1.00"_s},
                                                   {u"ProductVersion"_s, u"1.00"_s},
                                                   {u"ProductName"_s, u"Zerfallsfrist"_s},
                                                   {u"InternalName"_s, u"Zerfallsfrist"_s},
                                                   {u"OriginalFilename"_s, u"Zerfallsfrist.exe"_s}};
    QCOMPARE(table.children.size(), std::size(entries));
    for (const auto &[key, value] : entries) {
        const VersionNode *entry = childNamed(table, key);
        QVERIFY2(entry && entry->text, qPrintable(key));
        QCOMPARE(textValue(*entry), value);
    }

    // Translation: language 0x0407, code page 1200, as two little-endian words
    const VersionNode *variables = childNamed(m_version, u"VarFileInfo"_s);
    QVERIFY(variables);
    const VersionNode *translation = childNamed(*variables, u"Translation"_s);
    QVERIFY(translation);
    QCOMPARE(translation->value, QByteArray::fromHex("0704b004"));
}

void TestWindowsResources::fixedVersion()
{
    // VS_FIXEDFILEINFO: signature, structure version, then the file and product versions
    // 1.0.0.0 as two DWORDs each, a Windows NT program (VOS_NT_WINDOWS32, VFT_APP).
    const QByteArray &fixed = m_version.value;
    QCOMPARE(fixed.size(), 52);
    QCOMPARE(dword(fixed, 0), 0xFEEF04BDu);
    QCOMPARE(dword(fixed, 8), 0x00010000u); // file version 1.0
    QCOMPARE(dword(fixed, 12), 0u); // .0.0
    QCOMPARE(dword(fixed, 16), 0x00010000u); // product version 1.0
    QCOMPARE(dword(fixed, 20), 0u);
    QCOMPARE(dword(fixed, 32), 0x00040004u);
    QCOMPARE(dword(fixed, 36), 1u);
}

void TestWindowsResources::iconGroup()
{
    QVERIFY(m_resources.count({RtGroupIcon, 1}));
    const QByteArray &group = m_resources[{RtGroupIcon, 1}].data;
    // GRPICONDIR: reserved, type 1 (icon), count; then 14 bytes per image
    QCOMPARE(group.size(), 6 + 3 * 14);
    QCOMPARE(word(group, 0), 0);
    QCOMPARE(word(group, 2), 1);
    QCOMPARE(word(group, 4), 3);
    const int sizes[] = {16, 32, 48};
    for (int n = 0; n < 3; ++n) {
        const qsizetype entry = 6 + 14 * n;
        const int size = sizes[n];
        const int id = 30001 + n;
        QCOMPARE(quint8(group[entry]), size); // width
        QCOMPARE(quint8(group[entry + 1]), size); // height
        QCOMPARE(word(group, entry + 4), 1); // planes
        QCOMPARE(word(group, entry + 6), 32); // bits per pixel
        QCOMPARE(word(group, entry + 12), id);

        // The image the entry names, as large as the entry says, of that size, and the
        // committed PNG itself.
        QVERIFY(m_resources.count({RtIcon, id}));
        const QByteArray &image = m_resources[{RtIcon, id}].data;
        QCOMPARE(dword(group, entry + 8), quint32(image.size()));
        QCOMPARE(QImage::fromData(image).size(), QSize(size, size));
        QFile png(QStringLiteral(ZF_SOURCE_DIR "/resources/icons/zerfallsfrist-%1.png").arg(size));
        QVERIFY(png.open(QIODevice::ReadOnly));
        QCOMPARE(image, png.readAll());
    }
}

int main(int argc, char *argv[])
{
    // A QSKIP would end with status 0, which CTest counts as passed.
    if (QStringLiteral(ZF_WINDOWS_RES).isEmpty()) {
        std::puts(
            "x86_64-w64-mingw32-windres is not installed (Debian: binutils-mingw-w64-x86-64): "
            "skipped");
        return ZF_SKIP_RETURN_CODE;
    }
    QCoreApplication application(argc, argv);
    TestWindowsResources test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_windowsresources.moc"
