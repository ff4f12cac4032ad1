// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The demo host's own logic, without any dialog: command line, array files,
// the cancel copy, the hex view and the decoded view.

#include "host/app/ArrayFile.h"
#include "host/app/CancelCopy.h"
#include "host/app/CommandLine.h"
#include "host/app/DecodedView.h"
#include "host/app/HexView.h"
#include "host/app/UnitState.h"
#include "testing/ArrayBytes.h"

#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

} // namespace

class TestHostLogic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void commandLine_data();
    void commandLine();
    void desktopCases_data();
    void desktopCases();
    void presetVlanArrays_data();
    void presetVlanArrays();
    void catalogueEncodingWarnings_data();
    void catalogueEncodingWarnings();
    void installedCatalogues_data();
    void installedCatalogues();
    void screenshotDirChecks();
    void catalogueChecks();

    void loadRefusesWrongSizes_data();
    void loadRefusesWrongSizes();
    void loadAcceptsExactSize();
    void loadRefusesFolderAndMissingFile();
    void saveRefusesWrongSizeAndKeepsOldFile_data();
    void saveRefusesWrongSizeAndKeepsOldFile();
    void saveFailureKeepsOldFile();
    void saveReplacesFile();

    void cancelCopy_data();
    void cancelCopy();
    void cancelCopySurvivesWritesThroughEarlierPointer();

    void hexView();

    void decodedQosDefaultImage_data();
    void decodedQosDefaultImage();
    void decodedVlanDefaultImage_data();
    void decodedVlanDefaultImage();
    void decodedUnconfiguredArrays();
    void decodedForwardingAndMemberships();
    void numberRuns_data();
    void numberRuns();

private:
    QTemporaryDir m_dir;
};

// ---- Command line -------------------------------------------------------------

void TestHostLogic::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<bool>("remote");
    QTest::addColumn<QString>("error"); // part of the message

    using A = DemoOptions::Action;
    QTest::newRow("no arguments: window") << QStringList{} << int(A::RunWindow) << QString() << QString() << false << QString();
    QTest::newRow("window with catalogue and remote")
        << QStringList{u"--catalogue"_s, u"cz.ini"_s, u"--remote"_s} << int(A::RunWindow) << QString()
        << u"cz.ini"_s << true << QString();
    QTest::newRow("screenshot, separate value")
        << QStringList{u"--screenshot"_s, u"out"_s} << int(A::Screenshot) << u"out"_s << QString() << false << QString();
    QTest::newRow("screenshot, inline values")
        << QStringList{u"--screenshot=out dir"_s, u"--catalogue=de.ini"_s, u"--remote"_s} << int(A::Screenshot)
        << u"out dir"_s << u"de.ini"_s << true << QString();
    QTest::newRow("help") << QStringList{u"--help"_s} << int(A::Help) << QString() << QString() << false << QString();
    QTest::newRow("-h wins over screenshot")
        << QStringList{u"--screenshot"_s, u"x"_s, u"-h"_s} << int(A::Help) << u"x"_s << QString() << false << QString();
    QTest::newRow("help with Qt's options") << QStringList{u"--help-all"_s} << int(A::Help) << QString() << QString()
                                             << false << QString();
    QTest::newRow("version") << QStringList{u"-v"_s} << int(A::Version) << QString() << QString() << false << QString();

    QTest::newRow("unknown option") << QStringList{u"--screenshots"_s, u"x"_s} << int(A::Error) << QString()
                                    << QString() << false << u"Unknown option 'screenshots'"_s;
    QTest::newRow("missing value") << QStringList{u"--screenshot"_s} << int(A::Error) << QString() << QString()
                                   << false << u"Missing value after '--screenshot'"_s;
    QTest::newRow("empty value") << QStringList{u"--catalogue="_s} << int(A::Error) << QString() << QString()
                                 << false << u"option '--catalogue' needs a non-empty value"_s;
    QTest::newRow("value for a flag") << QStringList{u"--remote=yes"_s} << int(A::Error) << QString() << QString()
                                      << false << u"Unexpected value after '--remote'"_s;
    QTest::newRow("repeated option")
        << QStringList{u"--screenshot"_s, u"a"_s, u"--screenshot"_s, u"b"_s} << int(A::Error) << QString()
        << QString() << false << u"option '--screenshot' given more than once"_s;
    QTest::newRow("stray argument") << QStringList{u"out"_s} << int(A::Error) << QString() << QString() << false
                                    << u"unexpected argument 'out'"_s;
    QTest::newRow("frames without pictures") << QStringList{u"--mark-defects"_s} << int(A::Error) << QString()
                                            << QString() << false << u"'--mark-defects' needs --screenshot"_s;
    QTest::newRow("error before help") << QStringList{u"--bogus"_s, u"--help"_s} << int(A::Error) << QString()
                                       << QString() << false << u"Unknown option 'bogus'"_s;
    QTest::newRow("qt option is not ours") << QStringList{u"-platform"_s, u"xcb"_s} << int(A::Error) << QString()
                                           << QString() << false << u"Unknown option 'platform'"_s;
    QTest::newRow("language") << QStringList{u"--language"_s, u"de"_s} << int(A::RunWindow) << QString()
                              << QString() << false << QString();
    QTest::newRow("language and catalogue")
        << QStringList{u"--language=de"_s, u"--catalogue"_s, u"de.ini"_s} << int(A::Error) << QString() << QString()
        << false << u"options '--catalogue' and '--language' exclude each other"_s;
    QTest::newRow("flag repeated") << QStringList{u"--remote"_s, u"--remote"_s} << int(A::Error) << QString()
                                   << QString() << false << u"option '--remote' given more than once"_s;
    QTest::newRow("help, short and long") << QStringList{u"-h"_s, u"--help"_s} << int(A::Error) << QString()
                                          << QString() << false << u"option '--help' given more than once"_s;
}

void TestHostLogic::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(QString, dir);
    QFETCH(QString, catalogue);
    QFETCH(bool, remote);
    QFETCH(QString, error);

    args.prepend(u"odu-switch-demo"_s);
    const DemoOptions o = parseCommandLine(args);
    QCOMPARE(int(o.action), action);
    if (o.action == DemoOptions::Action::Error) {
        QVERIFY2(o.error.contains(error), qPrintable(o.error));
        return;
    }
    QVERIFY(o.error.isEmpty());
    QCOMPARE(o.screenshotDir, dir);
    QCOMPARE(o.catalogue, catalogue);
    QCOMPARE(o.remote, remote);
    QCOMPARE(o.language, args.contains(u"--language"_s) ? u"de"_s : QString());
}

void TestHostLogic::desktopCases_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("direction"); // Qt::LayoutDirection; -1 refused
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("sample");
    QTest::addColumn<QString>("error");
    QTest::newRow("none") << QStringList{} << int(Qt::LayoutDirectionAuto) << -1 << false << QString();
    QTest::newRow("owner rtl, double, sample")
        << QStringList{u"--owner-direction=rtl"_s, u"--vlan-mode"_s, u"double"_s, u"--sample-table"_s}
        << int(Qt::RightToLeft) << 2 << true << QString();
    QTest::newRow("owner ltr, disable") << QStringList{u"--owner-direction"_s, u"ltr"_s, u"--vlan-mode=disable"_s}
                                        << int(Qt::LeftToRight) << 0 << false << QString();
    QTest::newRow("single") << QStringList{u"--vlan-mode=single"_s} << int(Qt::LayoutDirectionAuto) << 1 << false
                            << QString();
    QTest::newRow("direction in capitals") << QStringList{u"--owner-direction=RTL"_s} << -1 << -1 << false
                                           << u"needs ltr or rtl, not 'RTL'"_s;
    QTest::newRow("direction empty") << QStringList{u"--owner-direction="_s} << -1 << -1 << false
                                     << u"needs a non-empty value"_s;
    QTest::newRow("mode as a number") << QStringList{u"--vlan-mode=1"_s} << -1 << -1 << false
                                      << u"unknown VLAN mode '1' (one of: disable, single, double)"_s;
    QTest::newRow("mode with a line break") << QStringList{u"--vlan-mode=single\n"_s} << -1 << -1 << false
                                            << u"unknown VLAN mode"_s;
    QTest::newRow("mode twice") << QStringList{u"--vlan-mode=single"_s, u"--vlan-mode=double"_s} << -1 << -1
                                << false << u"given more than once"_s;
    QTest::newRow("sample with a value") << QStringList{u"--sample-table=yes"_s} << -1 << -1 << false
                                         << u"Unexpected value after '--sample-table'"_s;
}

void TestHostLogic::desktopCases()
{
    QFETCH(QStringList, args);
    QFETCH(int, direction);
    QFETCH(int, mode);
    QFETCH(bool, sample);
    QFETCH(QString, error);
    args.prepend(u"odu-switch-demo"_s);
    const DemoOptions o = parseCommandLine(args);
    if (direction < 0) {
        QCOMPARE(o.action, DemoOptions::Action::Error);
        QVERIFY2(o.error.contains(error), qPrintable(o.error));
        return;
    }
    QVERIFY2(o.error.isEmpty(), qPrintable(o.error));
    QCOMPARE(int(o.ownerDirection), direction);
    QCOMPARE(o.vlanMode, mode);
    QCOMPARE(o.sampleTable, sample);
}

void TestHostLogic::presetVlanArrays_data()
{
    QTest::addColumn<bool>("blank");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("sample");
    QTest::newRow("blank, nothing asked") << true << -1 << false;
    QTest::newRow("blank, double tag") << true << 2 << false;
    QTest::newRow("blank, single tag with the table") << true << 1 << true;
    QTest::newRow("configured, disable with the table") << false << 0 << true;
    QTest::newRow("full table stays full") << false << -1 << true;
}

// What the demo writes into the VLAN array: the default image for a blank
// one, the mode, the sample entries after the ones there are (never past the
// 22 slots, never a VID twice), and no other byte.
void TestHostLogic::presetVlanArrays()
{
    QFETCH(bool, blank);
    QFETCH(int, mode);
    QFETCH(bool, sample);
    Unit unit;
    const auto& image = VlanConfigArray::defaultImage();
    if (!blank)
        unit.vlan = QByteArray(reinterpret_cast<const char*>(image.data()), kVlanArrayBytes);
    const bool full = QByteArray(QTest::currentDataTag()).startsWith("full");
    if (full) {
        VlanConfigArray filled(reinterpret_cast<unsigned char*>(unit.vlan.data()));
        for (int slot = 0; slot < kMaxStaticVlans; ++slot)
            filled.writeSlot(slot, StaticVlanEntry{static_cast<unsigned short>(100 + slot), {1, 1, 1, 1, 1, 1}});
        filled.set_pocet_vlan(kMaxStaticVlans);
    }
    const QByteArray before = unit.vlan;
    presetVlan(unit, mode, sample);
    // (Read after the call: the array's bytes were shared with `before`.)
    VlanConfigArray cfg(reinterpret_cast<unsigned char*>(unit.vlan.data()));
    if (mode < 0 && !sample) {
        QCOMPARE(unit.vlan, before); // a blank array stays blank until a dialog opens on it
        return;
    }
    QCOMPARE(int(cfg.get_vlan_mode()), mode >= 0 ? mode : int(VlanConfigArray(const_cast<unsigned char*>(image.data())).get_vlan_mode()));
    const int had = full ? kMaxStaticVlans : VlanConfigArray(const_cast<unsigned char*>(image.data())).storedEntryCount();
    const int expected = sample ? qMin(kMaxStaticVlans, had + int(std::size(kSampleVlans))) : had;
    QCOMPARE(int(cfg.storedEntryCount()), expected);
    QSet<unsigned short> vids;
    for (int slot = 0; slot < expected; ++slot)
        vids.insert(cfg.readSlot(slot).vid);
    QCOMPARE(int(vids.size()), expected);
    if (sample && !full) {
        QCOMPARE(cfg.readSlot(had).vid, kSampleVlans[0].vid);
        QCOMPARE(cfg.get_Default_VID(port_line2), kSampleVlans[0].vid);
        QCOMPARE(cfg.get_Default_VID(port_line3), kSampleVlans[1].vid);
    }
}

void TestHostLogic::catalogueEncodingWarnings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning"); // part of it; empty: none
    const QByteArray head = "[VLAN]\nentry_vid=";
    QTest::newRow("UTF-8") << head + "Eingabe \xc3\xa4\n" << QString();
    QTest::newRow("UTF-8 with a mark") << QByteArray("\xef\xbb\xbf") + head + "\xd0\x96\n" << QString();
    QTest::newRow("UTF-16 with a mark") << QByteArray("\xff\xfe[\0V\0]\0") << QString();
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("UTF-8 at the ends of each length")
        << head + "\xc2\x80\xdf\xbf \xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xef\xbf\xbd \xf0\x90\x80\x80\xf4\x8f\xbf\xbf\n"
        << QString();
    QTest::newRow("UTF-8 mark, then a two-byte letter") << QByteArray("\xef\xbb\xbf\xd0\x96") << QString();
    QTest::newRow("blank lines and lone CRs") << QByteArray("\n\n\r; x\r\xe4")
                                              << u"not UTF-8: line 5, byte 8 (byte 1 of the line"_s;
    QTest::newRow("a lone continuation byte") << head + "\x80" << u"0x80) cannot be decoded"_s;
    QTest::newRow("a lead byte past F4") << head + "\xf5\x80\x80\x80" << u"0xf5) cannot be decoded"_s;
    QTest::newRow("on the first line") << QByteArray("; \xe4\n") << u"not UTF-8: line 1, byte 3 (byte 3 of the line"_s;
    QTest::newRow("Latin-1") << head + "Eingabe \xe4\n" << u"not UTF-8: line 2, byte 26 (byte 19 of the line, 0xe4)"_s;
    QTest::newRow("cp1251") << QByteArray("; ok\n") + head + "\xc2\xe2\xee\xe4\n"
                            << u"not UTF-8: line 3, byte 23 (byte 11 of the line, 0xc2)"_s;
    QTest::newRow("CRLF lines") << QByteArray("; ok\r\n") + head + "\xe4\r\n" << u"line 3, byte 24 (byte 11"_s;
    QTest::newRow("cut sequence at the end") << head + "\xc3" << u"not UTF-8: line 2"_s;
    QTest::newRow("overlong slash") << head + "\xc0\xaf\n" << u"0xc0) cannot be decoded"_s;
    QTest::newRow("a surrogate") << head + "\xed\xa0\x80\n" << u"0xed) cannot be decoded"_s;
    QTest::newRow("past U+10FFFF") << head + "\xf4\x90\x80\x80\n" << u"0xf4) cannot be decoded"_s;
    // UTF-16 without a mark decodes as UTF-8 (NUL is a character), but
    // names no section and no key: it is named for what it is.
    QByteArray utf16le;
    QByteArray utf16be;
    const QByteArray text = head + "Eingabe\n";
    for (char c : text) {
        utf16le += QByteArray(1, c) + '\0';
        utf16be += '\0' + QByteArray(1, c);
    }
    QTest::newRow("UTF-16LE without a mark") << utf16le << u"UTF-16LE without a byte order mark, which the dialogs"_s;
    QTest::newRow("UTF-16BE without a mark") << utf16be << u"UTF-16BE without a byte order mark"_s;
    QTest::newRow("Cyrillic UTF-16LE without a mark")
        << QByteArray("[\0V\0L\0A\0N\0]\0\n\0n\0m\0s\0=\0\x1d\x04\x1c\x04\x21\x04\n\0", 30)
        << u"UTF-16LE without a byte order mark"_s;
    // One NUL in UTF-8 text is a NUL, not UTF-16: said with where it is.
    QTest::newRow("a NUL byte") << head + QByteArray("Ein\0gabe\n", 9)
                                << u"a NUL byte (not text): line 2, byte 21 (byte 14"_s;
    QTest::newRow("a NUL byte at an odd place") << head + QByteArray("Ei\0ngabe\n", 9)
                                                << u"a NUL byte (not text): line 2, byte 20"_s;
    QTest::newRow("NUL bytes at both places") << QByteArray(64, '\0') << u"a NUL byte (not text): line 1, byte 1"_s;
    QTest::newRow("two stray NULs in a long text") << head + QByteArray("\0a\0", 3) + QByteArray(5000, 'a')
                                                   << u"a NUL byte (not text): line 2, byte 18"_s;
    QTest::newRow("a NUL byte past the first 4 KiB")
        << head + QByteArray(5000, 'a') + '\0' << u"a NUL byte (not text): line 2, byte 5018"_s;
}

// A catalogue that is not UTF-8 is named, with what it is or where it stops
// being UTF-8; one that decodes is not.
void TestHostLogic::catalogueEncodingWarnings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"cat.ini"_s);
    writeFile(file, bytes);
    const QString said = catalogueEncodingWarning(file);
    if (warning.isEmpty()) {
        QCOMPARE(said, QString());
        return;
    }
    QVERIFY2(said.contains(warning) && said.contains(u"catalogue '%1': "_s.arg(file))
                 && said.endsWith(u"; save the file as UTF-8"_s),
             qPrintable(said));
}

void TestHostLogic::installedCatalogues_data()
{
    QTest::addColumn<QStringList>("installed"); // files in the folder
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("found");         // file name; empty: refused
    QTest::addColumn<QString>("error");

    const QStringList two{u"de.ini"_s, u"pt_BR.ini"_s, u"notes.txt"_s};
    QTest::newRow("code") << two << u"de"_s << u"de.ini"_s << QString();
    QTest::newRow("region, other case and dash") << two << u"pt-br"_s << u"pt_BR.ini"_s << QString();
    QTest::newRow("unknown code lists the others")
        << two << u"xx"_s << QString() << u"unknown language 'xx' (one of: de, pt_BR)"_s;
    QTest::newRow("a path is no code") << two << u"../de"_s << QString() << u"unknown language '../de'"_s;
    QTest::newRow("not a catalogue") << two << u"notes"_s << QString() << u"unknown language 'notes'"_s;
    QTest::newRow("none installed") << QStringList{} << u"de"_s << QString()
                                    << u"no language catalogues are installed"_s;
}

void TestHostLogic::installedCatalogues()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, code);
    QFETCH(QString, found);
    QFETCH(QString, error);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString& name : installed)
        writeFile(folder.filePath(name), "[QOS]\n");

    const Result<QString> file = installedCatalogue(code, {folder.path()});
    if (found.isEmpty()) {
        QVERIFY(!file);
        QVERIFY2(file.error().contains(error), qPrintable(file.error()));
    } else {
        QVERIFY2(file.ok(), qPrintable(file.error()));
        QCOMPARE(QFileInfo(file.value()).fileName(), found);
    }
}

void TestHostLogic::screenshotDirChecks()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(checkScreenshotDir(m_dir.path()).ok());
    // The probe file is gone again.
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());

    const QString missing = m_dir.filePath(u"missing"_s);
    QVERIFY(checkScreenshotDir(missing).error().contains(u"does not exist"_s));
    const QString file = m_dir.filePath(u"plain-file"_s);
    writeFile(file, "x");
    QVERIFY(checkScreenshotDir(file).error().contains(u"is not a folder"_s));
    QFile::remove(file);
    // Not even a privileged user can create files under /proc.
    if (QFileInfo(u"/proc/self"_s).isDir())
        QVERIFY(checkScreenshotDir(u"/proc"_s).error().contains(u"is not writable"_s));
}

void TestHostLogic::catalogueChecks()
{
    const QString file = m_dir.filePath(u"cat.ini"_s);
    writeFile(file, "[QOS]\n");
    QVERIFY(checkCatalogueFile(file).ok());
    QVERIFY(checkCatalogueFile(m_dir.filePath(u"nope.ini"_s)).error().contains(u"does not exist"_s));
    QVERIFY(checkCatalogueFile(m_dir.path()).error().contains(u"is not a file"_s));
    QFile::remove(file);
}

// ---- Array files ----------------------------------------------------------------

void TestHostLogic::loadRefusesWrongSizes_data()
{
    QTest::addColumn<bool>("qos");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("held");

    QTest::newRow("QoS, empty file") << true << 0 << u"holds 0 bytes"_s;
    QTest::newRow("QoS, one byte") << true << 1 << u"holds 1 byte;"_s;
    QTest::newRow("QoS, 39") << true << 39 << u"holds 39 bytes"_s;
    QTest::newRow("QoS, 41") << true << 41 << u"holds more than 40 bytes"_s;
    QTest::newRow("QoS, a VLAN file") << true << 82 << u"holds more than 40 bytes"_s;
    QTest::newRow("VLAN, a QoS file") << false << 40 << u"holds 40 bytes"_s;
    QTest::newRow("VLAN, 81") << false << 81 << u"holds 81 bytes"_s;
    QTest::newRow("VLAN, 83") << false << 83 << u"holds more than 82 bytes"_s;
    QTest::newRow("VLAN, large") << false << 100000 << u"holds more than 82 bytes"_s;
}

void TestHostLogic::loadRefusesWrongSizes()
{
    QFETCH(bool, qos);
    QFETCH(int, size);
    QFETCH(QString, held);

    const QString path = m_dir.filePath(u"wrong.bin"_s);
    writeFile(path, QByteArray(size, '\x11'));
    const ArrayKind kind = qos ? ArrayKind::Qos : ArrayKind::Vlan;
    const Result<QByteArray> load = loadArrayFile(path, kind);
    QVERIFY(!load.ok());
    QVERIFY2(load.error().contains(held), qPrintable(load.error()));
    QVERIFY(load.error().contains(qos ? u"a QoS array file holds exactly 40 bytes"_s
                                      : u"a VLAN array file holds exactly 82 bytes"_s));
    QVERIFY(load.error().contains(path));
    QVERIFY(load.error().contains(u"Nothing was loaded"_s));
    QFile::remove(path);
}

void TestHostLogic::loadAcceptsExactSize()
{
    for (ArrayKind kind : {ArrayKind::Qos, ArrayKind::Vlan}) {
        QByteArray bytes(arrayBytes(kind), '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        const QString path = m_dir.filePath(u"good.bin"_s);
        writeFile(path, bytes);
        const Result<QByteArray> load = loadArrayFile(path, kind);
        QVERIFY(load.ok());
        QCOMPARE(load.value(), bytes);
        QFile::remove(path);
    }
}

void TestHostLogic::loadRefusesFolderAndMissingFile()
{
    const Result<QByteArray> folder = loadArrayFile(m_dir.path(), ArrayKind::Qos);
    QVERIFY(!folder.ok());
    QVERIFY(folder.error().contains(u"is a folder"_s));
    const Result<QByteArray> missing = loadArrayFile(m_dir.filePath(u"missing.bin"_s), ArrayKind::Vlan);
    QVERIFY(!missing.ok());
    QVERIFY(missing.error().contains(u"cannot be read"_s));
}

void TestHostLogic::saveRefusesWrongSizeAndKeepsOldFile_data()
{
    QTest::addColumn<bool>("qos");
    QTest::addColumn<int>("size");
    QTest::newRow("QoS with 39 bytes") << true << 39;
    QTest::newRow("QoS with 82 bytes") << true << 82;
    QTest::newRow("VLAN with 40 bytes") << false << 40;
    QTest::newRow("VLAN with nothing") << false << 0;
}

void TestHostLogic::saveRefusesWrongSizeAndKeepsOldFile()
{
    QFETCH(bool, qos);
    QFETCH(int, size);
    const QString path = m_dir.filePath(u"old.bin"_s);
    writeFile(path, "old contents");
    const Result<void> saved = saveArrayFile(path, QByteArray(size, '\x22'), qos ? ArrayKind::Qos : ArrayKind::Vlan);
    QVERIFY(!saved.ok());
    QVERIFY(saved.error().contains(u"was not written"_s));
    QCOMPARE(readFile(path), QByteArray("old contents"));
    QFile::remove(path);
}

void TestHostLogic::saveFailureKeepsOldFile()
{
    // The target is a folder: refused, the folder and its contents stay.
    const QString folder = m_dir.filePath(u"folder.bin"_s);
    QVERIFY(QDir().mkpath(folder));
    writeFile(folder + u"/inner"_s, "keep");
    const Result<void> onFolder = saveArrayFile(folder, QByteArray(40, '\0'), ArrayKind::Qos);
    QVERIFY(!onFolder.ok());
    QVERIFY(onFolder.error().contains(u"is a folder"_s));
    QCOMPARE(readFile(folder + u"/inner"_s), QByteArray("keep"));

    // The folder of the target does not exist.
    QVERIFY(!saveArrayFile(m_dir.filePath(u"no/such/dir/a.bin"_s), QByteArray(82, '\0'), ArrayKind::Vlan).ok());
    QVERIFY(!QFileInfo::exists(m_dir.filePath(u"no"_s)));
}

void TestHostLogic::saveReplacesFile()
{
    const QString path = m_dir.filePath(u"unit.bin"_s);
    writeFile(path, "old contents that are longer than forty bytes, to be replaced entirely");
    QByteArray bytes(40, '\0');
    bytes[0] = 0x12;
    bytes[39] = char(0xFE);
    QVERIFY(saveArrayFile(path, bytes, ArrayKind::Qos).ok());
    QCOMPARE(readFile(path), bytes);
    // Nothing left behind besides the file.
    const QStringList left = QDir(m_dir.path()).entryList({u"unit.bin*"_s}, QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList{u"unit.bin"_s});
    QCOMPARE(loadArrayFile(path, ArrayKind::Qos).valueOr({}), bytes);
    QFile::remove(path);
}

// ---- Cancel copy --------------------------------------------------------------------

void TestHostLogic::cancelCopy_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("restored");
    QTest::newRow("off, cancel: the dialog's writes stay") << false << 2 << false;
    QTest::newRow("off, OK") << false << 1 << false;
    QTest::newRow("on, cancel: put back") << true << 2 << true;
    QTest::newRow("on, OK: kept") << true << 1 << false;
    QTest::newRow("on, other result: kept") << true << 0 << false;
}

void TestHostLogic::cancelCopy()
{
    QFETCH(bool, enabled);
    QFETCH(int, result);
    QFETCH(bool, restored);

    QByteArray host(40, char(0xFF));
    const QByteArray original = host;
    CancelCopy copy(host, enabled);
    // What a dialog does: construct over the bytes (blank rule), then edit.
    auto* p = reinterpret_cast<unsigned char*>(host.data());
    QosConfigArray(p).applyBlankRule();
    p[0] = 0x2A;
    const QByteArray written = host;

    QCOMPARE(copy.finish(result), restored);
    QCOMPARE(host, restored ? original : written);
    QCOMPARE(host.size(), 40);
}

void TestHostLogic::cancelCopySurvivesWritesThroughEarlierPointer()
{
    // The host takes the buffer pointer before it keeps its copy; the copy
    // must not share that buffer.
    QByteArray host(82, char(0xFF));
    auto* p = reinterpret_cast<unsigned char*>(host.data());
    CancelCopy copy(host, true);
    VlanConfigArray(p).applyBlankRule();
    QVERIFY(copy.finish(2));
    QCOMPARE(host, QByteArray(82, char(0xFF)));
    QCOMPARE(reinterpret_cast<unsigned char*>(host.data()), p); // restored in place
}

// ---- Hex view -------------------------------------------------------------------------

void TestHostLogic::hexView()
{
    const QByteArray before = QByteArray::fromHex("00011BFF");
    const QByteArray after = QByteArray::fromHex("00021BFE");
    QCOMPARE(changedOffsets(before, after), (QList<int>{1, 3}));
    QCOMPARE(changedOffsets(before, before), QList<int>{});
    QCOMPARE(changedOffsets(before, before.left(2)), (QList<int>{2, 3}));
    QCOMPARE(hexBytes(after), u"00 02 1B FE"_s);
    QCOMPARE(hexBytes(byteImage(QosConfigArray::defaultImage())),
             u"00 00 1B 03 10 32 54 76 10 32 54 76 10 32 54 76 50 FA 00 00 00 00 55 55 55 55 "
             "AA AA AA AA FF FF FF FF 01 02 04 08 00 00"_s);

    const QString html = hexDumpHtml(after, before);
    QCOMPARE(html.count(u"background-color"_s), 2);
    QVERIFY(html.contains(u">02</span>"_s));
    QVERIFY(html.contains(u">FE</span>"_s));
    QCOMPARE(hexDumpHtml(after, QByteArray()).count(u"background-color"_s), 0);

    // Rows of 16 bytes with their offsets.
    QTextDocument doc;
    doc.setHtml(hexDumpHtml(byteImage(VlanConfigArray::defaultImage()), QByteArray()));
    const QStringList rows = doc.toPlainText().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.first(), u" 0  00 00 00 FB AB 01 10 00 01 10 00 01 10 00 01 00"_s);
    QCOMPARE(rows.last(), u"80  00 00"_s);
}

// ---- Decoded view -------------------------------------------------------------------------

void TestHostLogic::decodedQosDefaultImage_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("state") << u"Array"_s << u"State"_s << u"configured"_s;
    for (const QString& port : {u"LINE 2"_s, u"LINE 3"_s, u"LINE 4"_s}) {
        QTest::addRow("priority %s", qPrintable(port)) << u"Port Priority (0 Low-7 High)"_s << port << u"0"_s;
        QTest::addRow("resolution %s", qPrintable(port)) << u"Priority Resolution"_s << port << u"VLAN & DSCP"_s;
        for (int i : {0, 7})
            QTest::addRow("remap %s %d", qPrintable(port), i)
                << u"VLAN Tag Remapping "_s + port << u"Tag Priority %1"_s.arg(i) << QString::number(i);
    }
    QTest::newRow("802.1Q 1") << u"802.1Q Priority to Priority Queue"_s << u"802.1Q Priority 1"_s << u"0"_s;
    QTest::newRow("802.1Q 6") << u"802.1Q Priority to Priority Queue"_s << u"802.1Q Priority 6"_s << u"3"_s;
    QTest::newRow("DSCP 15") << u"DSCP Priority to Priority Queue"_s << u"DSCP Priority 15"_s << u"0"_s;
    QTest::newRow("DSCP 32") << u"DSCP Priority to Priority Queue"_s << u"DSCP Priority 32"_s << u"2"_s;
    QTest::newRow("queue 0") << u"Queue summary"_s << u"Queue 0"_s << u"802.1Q 0, 1; DSCP 0–15"_s;
    QTest::newRow("queue 3") << u"Queue summary"_s << u"Queue 3"_s << u"802.1Q 6, 7; DSCP 48–63"_s;
    QTest::newRow("weight 0") << u"Priority Queue Weights"_s << u"Priority Queue 0 Weight"_s << u"1"_s;
    QTest::newRow("weight 3") << u"Priority Queue Weights"_s << u"Priority Queue 3 Weight"_s << u"8"_s;
    QTest::newRow("weight sum") << u"Queue summary"_s << u"Weight sum"_s << u"15"_s;
    QTest::newRow("QoS switch") << u"Global Settings"_s << u"QoS Main Switch"_s << u"Disabled"_s;
    QTest::newRow("channel 1") << u"Modem Ports Settings"_s << u"Channel 1 - Queue scheduling"_s << u"Weighted round robin"_s;
    QTest::newRow("channel 2") << u"Modem Ports Settings"_s << u"Channel 2 - Queue scheduling"_s << u"Weighted round robin"_s;
    QTest::newRow("byte 39") << u"Reserved"_s << u"Byte 39"_s << u"0x00"_s;
}

void TestHostLogic::decodedQosDefaultImage()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(decodedValue(decodeQos(byteImage(QosConfigArray::defaultImage())), group, name), value);
}

void TestHostLogic::decodedVlanDefaultImage_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("state") << u"Array"_s << u"State"_s << u"configured"_s;
    QTest::newRow("mode") << u"VLAN Main Switch"_s << u"VLAN Main Switch"_s << u"Disable"_s;
    QTest::newRow("EtherType") << u"Global VLAN"_s << u"Provider Ether Type"_s << u"0x9100"_s;
    QTest::newRow("remove 1PT") << u"Global VLAN"_s << u"Remove 1 Provider Tag Only"_s << u"off"_s;
    QTest::newRow("version") << u"Miscellaneous"_s << u"Array version"_s << u"0"_s;
    QTest::newRow("learning") << u"Miscellaneous"_s << u"Disable Learning"_s << u"off"_s;
    QTest::newRow("BPDU") << u"Miscellaneous"_s << u"BPDU priority Override"_s << u"off"_s;
    QTest::newRow("LACP") << u"Miscellaneous"_s << u"LACP priority Override"_s << u"off"_s;
    const QStringList ports{u"LINE 2"_s, u"LINE 3"_s, u"LINE 4"_s, u"Modem 1"_s, u"Modem 2"_s, u"NMS"_s};
    for (const QString& port : ports)
        QTest::addRow("Default VID %s", qPrintable(port)) << u"Default VID"_s << port << u"1"_s;
    for (int p = 0; p < 5; ++p) {
        const QString& port = ports.at(p);
        QTest::addRow("force %s", qPrintable(port)) << u"Force Default VID"_s << port << u"off"_s;
        QTest::addRow("ingress %s", qPrintable(port)) << u"Ingress Policy"_s << port << u"Admit All"_s;
        QTest::addRow("double tag %s", qPrintable(port))
            << u"Port Double Tag Mode"_s << port << (p < 3 ? u"Customer"_s : u"Provider"_s);
    }
    QTest::newRow("no force for NMS") << u"Force Default VID"_s << u"NMS"_s << QString();
    const QString statics = u"Static VLAN Entries"_s;
    QTest::newRow("entries") << statics << u"Entries"_s << u"1"_s;
    QTest::newRow("entry 1 VID") << statics << u"Entry 1 VID"_s << u"1"_s;
    QTest::newRow("entry 1 LINE 2") << statics << u"Entry 1 LINE 2"_s << u"Not a member"_s;
    QTest::newRow("entry 1 LINE 3") << statics << u"Entry 1 LINE 3"_s << u"Untagged"_s;
    QTest::newRow("entry 1 Modem 1") << statics << u"Entry 1 Modem 1"_s << u"Tagged"_s;
    QTest::newRow("no entry 2") << statics << u"Entry 2 VID"_s << QString();
    const QString fwd = u"Port Based VLAN"_s;
    QTest::newRow("Modem 1 to LINE 4") << fwd << u"Modem 1 to LINE 4"_s << u"on"_s;
    QTest::newRow("Modem 2 to LINE 2") << fwd << u"Modem 2 to LINE 2"_s << u"on"_s;
    QTest::newRow("NMS to LINE 2") << fwd << u"NMS to LINE 2"_s << u"off"_s;
    QTest::newRow("NMS to LINE 3") << fwd << u"NMS to LINE 3"_s << u"on"_s;
    QTest::newRow("NMS to Modem 1") << fwd << u"NMS to Modem 1"_s << u"on"_s;
    QTest::newRow("separate") << fwd << u"Separate User Ports"_s << u"on"_s;
}

void TestHostLogic::decodedVlanDefaultImage()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(decodedValue(decodeVlan(byteImage(VlanConfigArray::defaultImage())), group, name), value);
}

void TestHostLogic::decodedUnconfiguredArrays()
{
    const QList<DecodedField> qos = decodeQos(QByteArray(40, char(0xFF)));
    QVERIFY(decodedValue(qos, u"Array"_s, u"State"_s).startsWith(u"unconfigured"_s));
    QCOMPARE(decodedValue(qos, u"Priority Resolution"_s, u"LINE 3"_s), u"7"_s);
    QCOMPARE(decodedValue(qos, u"Queue summary"_s, u"Weight sum"_s), u"1020 (more than 128: the dialog would refuse it)"_s);
    QCOMPARE(decodedValue(qos, u"Queue summary"_s, u"Queue 3"_s), u"802.1Q 0–7; DSCP 0–63"_s);
    QCOMPARE(decodedValue(qos, u"Queue summary"_s, u"Queue 0"_s), u"802.1Q none; DSCP none"_s);
    QCOMPARE(decodedValue(qos, u"Global Settings"_s, u"QoS Main Switch"_s), u"Enabled"_s);
    QCOMPARE(decodedValue(qos, u"Reserved"_s, u"Byte 38"_s), u"0xF8"_s);

    const QList<DecodedField> vlan = decodeVlan(QByteArray(82, char(0xFF)));
    QVERIFY(decodedValue(vlan, u"Array"_s, u"State"_s).startsWith(u"unconfigured"_s));
    QCOMPARE(decodedValue(vlan, u"VLAN Main Switch"_s, u"VLAN Main Switch"_s), u"3"_s);
    QCOMPARE(decodedValue(vlan, u"Static VLAN Entries"_s, u"Entries"_s), u"255"_s);
    QCOMPARE(decodedValue(vlan, u"Static VLAN Entries"_s, u"Entry 22 VID"_s), u"4095"_s);
    QCOMPARE(decodedValue(vlan, u"Static VLAN Entries"_s, u"Entry 22 NMS"_s), u"Not a member"_s);
    QCOMPARE(decodedValue(vlan, u"Static VLAN Entries"_s, u"Entry 23 VID"_s), QString());
    QCOMPARE(decodedValue(vlan, u"Default VID"_s, u"NMS"_s), u"4095"_s);

    // A wrong size decodes to one line that says so.
    QCOMPARE(decodeQos(QByteArray(82, '\0')).size(), 1);
    QCOMPARE(decodedValue(decodeVlan(QByteArray(40, '\0')), u"Array"_s, u"Size"_s),
             u"40 bytes; a VLAN array has 82"_s);
}

void TestHostLogic::decodedForwardingAndMemberships()
{
    QByteArray bytes(82, '\0');
    bytes[4] = char(0x40);                 // NMS with Modem 2 only
    bytes[3] = char(0x80);                 // Modem 2 with LINE 2
    bytes[14] = 2;                         // two entries
    bytes[16 + 3] = char(0xFE);            // entry 2: VID 0xAFE
    bytes[17 + 3] = char(0x8A);            //   LINE 2 code 0, LINE 3 code 2
    bytes[18 + 3] = char(0x24);            //   LINE 4 0, Modem 1 1, Modem 2 2, NMS code 0 (a member)
    bytes[1] = char(0x80 | 0x20 | 0x01);   // Double Tag, remove 1PT, LINE 2 tag only
    const QList<DecodedField> f = decodeVlan(bytes);
    const QString fwd = u"Port Based VLAN"_s;
    QCOMPARE(decodedValue(f, fwd, u"NMS to Modem 2"_s), u"on"_s);
    QCOMPARE(decodedValue(f, fwd, u"NMS to LINE 3"_s), u"off"_s);
    QCOMPARE(decodedValue(f, fwd, u"Modem 2 to LINE 2"_s), u"on"_s);
    QCOMPARE(decodedValue(f, fwd, u"Modem 1 to LINE 2"_s), u"off"_s);
    QCOMPARE(decodedValue(f, fwd, u"Separate User Ports"_s), u"off"_s);
    const QString statics = u"Static VLAN Entries"_s;
    QCOMPARE(decodedValue(f, statics, u"Entry 2 VID"_s), u"2814"_s);
    const QStringList codes{u"Unmodified"_s, u"Tagged"_s, u"Unmodified"_s, u"Untagged"_s, u"Tagged"_s, u"Unmodified"_s};
    const QStringList ports{u"LINE 2"_s, u"LINE 3"_s, u"LINE 4"_s, u"Modem 1"_s, u"Modem 2"_s, u"NMS"_s};
    for (int p = 0; p < 6; ++p)
        QCOMPARE(decodedValue(f, statics, u"Entry 2 "_s + ports.at(p)), codes.at(p));
    QCOMPARE(decodedValue(f, u"VLAN Main Switch"_s, u"VLAN Main Switch"_s), u"Double Tag"_s);
    QCOMPARE(decodedValue(f, u"Global VLAN"_s, u"Remove 1 Provider Tag Only"_s), u"on"_s);
    QCOMPARE(decodedValue(f, u"Ingress Policy"_s, u"LINE 2"_s), u"Tag only"_s);
    QCOMPARE(decodedValue(f, u"Ingress Policy"_s, u"LINE 3"_s), u"Admit All"_s);
}

void TestHostLogic::numberRuns_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << QList<int>{} << u"none"_s;
    QTest::newRow("one") << QList<int>{5} << u"5"_s;
    QTest::newRow("pair stays a list") << QList<int>{0, 1} << u"0, 1"_s;
    QTest::newRow("run and single") << QList<int>{0, 1, 2, 3, 7} << u"0–3, 7"_s;
    QTest::newRow("two runs") << QList<int>{1, 2, 3, 10, 11, 12, 13} << u"1–3, 10–13"_s;
}

void TestHostLogic::numberRuns()
{
    QFETCH(QList<int>, numbers);
    QFETCH(QString, text);
    QCOMPARE(::numberRuns(numbers), text);
}

QTEST_MAIN(TestHostLogic)
#include "tst_host_logic.moc"
