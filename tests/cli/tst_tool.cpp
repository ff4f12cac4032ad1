// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The odu-switch tool through its executable: outputs, exit codes, refused
// files, and files written whole or not at all.

#include "core/FieldCatalogue.h"
#include "core/QosConfig.h"
#include "core/StaticVlanTable.h"
#include "core/VlanConfig.h"
#include "testing/ArrayBytes.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/ScratchFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <functional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QString err;
};

Run tool(const QStringList& args, const QByteArray& input = QByteArray(), const QString& dir = QString(),
         const std::function<void()>& childSetup = {})
{
    ProgramRunOptions options;
    options.input = input;
    options.workingDir = dir;
    options.timeoutMs = 60000;
    options.childSetup = childSetup;
    const ProgramRun run = runProgram(QStringLiteral(ODU_SWITCH_TOOL), args, options);
    return {run.exitCode, run.out, QString::fromUtf8(run.err)};
}

// What a name is: its type, device number, size and the target of a link.
QString what(const QString& path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return u"nothing"_s;
    return u"type %1 device %2:%3 size %4 link %5"_s.arg(st.st_mode & S_IFMT)
        .arg(major(st.st_rdev)).arg(minor(st.st_rdev)).arg(st.st_size).arg(QFile::symLinkTarget(path));
}

// The names in a folder, hidden ones included: what a failed write left.
QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Child setups: standard output taken away in the two ways a script's can be.
void stdoutToDevFull()
{
    const int fd = ::open("/dev/full", O_WRONLY);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
}
void stdoutClosed()
{
    ::close(STDOUT_FILENO);
}
// Every write past 0 bytes fails (a quota or a file size limit).
void noFileSize()
{
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_FSIZE, &none);
}

bool builtWithAddressSanitizer()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
    return true;
#  endif
#endif
    return false;
}

// Reading 1 GB would fail under this limit (AddressSanitizer needs far
// more address space of its own, so the limit is left off there).
void memoryBelowOneGigabyte()
{
    if (!builtWithAddressSanitizer()) {
        const rlimit limit{rlim_t(768) << 20, rlim_t(768) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    }
}

QByteArray image(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? byteImage(QosConfigArray::defaultImage()) : byteImage(VlanConfigArray::defaultImage());
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

ino_t inode(const QString& path)
{
    struct stat st{};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

// A Single Tag VLAN array whose one entry, VID 1 and the NMS VLAN, has every
// port as a member; NMS reaches the network through LINE 3.
QByteArray singleTag()
{
    QByteArray bytes = image(ArrayKind::Vlan);
    VlanConfigArray cfg(reinterpret_cast<unsigned char*>(bytes.data()));
    cfg.set_vlan_mode(vlan_mode_single_tag);
    StaticVlanEntry e;
    e.vid = 1;
    e.codes = {untagged_member, untagged_member, untagged_member, tagged_member, tagged_member, untagged_member};
    cfg.writeSlot(0, e);
    return bytes;
}

} // namespace

class TestTool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showNamesEveryField();
    void showJson();
    void wrongSizeIsRefusedByName_data();
    void wrongSizeIsRefusedByName();
    void diffExitCodes();
    void fieldListEnds_data();
    void fieldListEnds();
    void exitCodePrecedence_data();
    void exitCodePrecedence();
    void setRestoresNothingToStandardOutput();
    void usage_data();
    void usage();
    void check_data();
    void check();
    void checkManyFilesAndCatalogue();
    void setWritesFieldsAtomically();
    void setWritesNothingOnAnError_data();
    void setWritesNothingOnAnError();
    void setThroughStandardStreams();
    void encodeRoundTripThroughThePipe();
    void encodeRefusals_data();
    void encodeRefusals();
    void encodeLimits_data();
    void encodeLimits();
    void encodeStrings_data();
    void encodeStrings() { encodeLimits(); }
    void defaultImages();
    void failedWritesLeaveTheOldFile_data();
    void failedWritesLeaveTheOldFile();
    void specialFilesAreNeverReplaced_data();
    void specialFilesAreNeverReplaced();
    void inputsWithoutEndOrWriterAreRefused_data();
    void inputsWithoutEndOrWriterAreRefused();
    void lostOutputIsAFailure_data();
    void lostOutputIsAFailure();
    void setRestoresEarlierFilesWhenALaterOneFails();
    void concurrentSetsTakeTurns();
    void setKeepsModeAndOwner();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void TestTool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeBytes(path(u"qos.bin"_s), image(ArrayKind::Qos));
    writeBytes(path(u"vlan.bin"_s), image(ArrayKind::Vlan));
}

void TestTool::showNamesEveryField()
{
    const Run r = tool({u"show"_s, path(u"vlan.bin"_s), path(u"qos.bin"_s)});
    QCOMPARE(r.code, 0);
    const QString text = QString::fromUtf8(r.out);
    QVERIFY(text.contains(u"VLAN configuration array, 82 bytes"_s));
    QVERIFY(text.contains(u"QoS configuration array, 40 bytes"_s));
    for (ArrayKind kind : {ArrayKind::Qos, ArrayKind::Vlan})
        for (const FieldSpec& f : fieldCatalogue(kind)) {
            // Static VLAN slots after the count are empty in the default image and left out.
            if (f.name.startsWith(u"static_vlan."_s) && !f.name.startsWith(u"static_vlan.1."_s))
                continue;
            QVERIFY2(text.contains(u" "_s + f.name + u"\n"_s), qPrintable(f.name));
        }
    QVERIFY(text.contains(QRegularExpression(u"Provider Ether Type +0x9100 +provider_ether_type"_s)));
    QVERIFY(!text.contains(u"Never configured"_s));

    writeBytes(path(u"blank.bin"_s), QByteArray(kVlanConfigSize, char(0xFF)));
    const Run blank = tool({u"show"_s, path(u"blank.bin"_s)});
    QCOMPARE(blank.code, 0);
    QVERIFY(blank.out.contains("Never configured: a dialog replaces it by the default image"));
    QVERIFY(blank.out.contains("static_vlan.22.vid")); // slots past the count that hold bits are shown
}

void TestTool::showJson()
{
    const Run one = tool({u"show"_s, u"--json"_s, path(u"vlan.bin"_s)});
    QCOMPARE(one.code, 0);
    const QJsonObject o = QJsonDocument::fromJson(one.out).object();
    QCOMPARE(o.value(u"format"_s).toInt(), 1);
    QCOMPARE(o.value(u"kind"_s).toString(), u"vlan"_s);
    QCOMPARE(o.value(u"size"_s).toInt(), 82);
    QCOMPARE(o.value(u"blank"_s).toBool(), false);
    const QJsonObject fields = o.value(u"fields"_s).toObject();
    QCOMPARE(fields.size(), fieldCatalogue(ArrayKind::Vlan).size());
    QCOMPARE(fields.value(u"vlan_mode"_s).toString(), u"Disable"_s);
    QCOMPARE(fields.value(u"separate_user_ports"_s).toBool(), true);
    QCOMPARE(fields.value(u"static_vlan.1.modem1"_s).toString(), u"Tagged"_s);
    QCOMPARE(fields.value(u"default_vid.nms"_s).toInt(), 1);

    const Run two = tool({u"show"_s, u"--json"_s, path(u"vlan.bin"_s), path(u"qos.bin"_s)});
    const QJsonArray both = QJsonDocument::fromJson(two.out).array();
    QCOMPARE(both.size(), 2);
    QCOMPARE(both.at(1).toObject().value(u"kind"_s).toString(), u"qos"_s);
    QCOMPARE(both.at(1).toObject().value(u"file"_s).toString(), path(u"qos.bin"_s));
}

void TestTool::wrongSizeIsRefusedByName_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("37 bytes") << QStringList() << 37
                              << "37 bytes; a configuration array has 40 bytes (QoS) or 82 bytes (VLAN)";
    QTest::newRow("empty") << QStringList() << 0 << "0 bytes; a configuration array has 40 bytes (QoS) or 82 bytes (VLAN)";
    // One byte either side of each size; past the larger one the file is not read whole.
    for (int size : {39, 41, 81})
        QTest::addRow("%d bytes", size)
            << QStringList() << size
            << u"%1 bytes; a configuration array has 40 bytes (QoS) or 82 bytes (VLAN)"_s.arg(size);
    QTest::newRow("83 bytes") << QStringList() << 83
                              << "more than 82 bytes; a configuration array has 40 bytes (QoS) or 82 bytes (VLAN)";
    QTest::newRow("QoS size where VLAN is required") << QStringList{u"--kind"_s, u"vlan"_s} << 40
                                                     << "40 bytes; a VLAN array has 82 bytes";
}

void TestTool::wrongSizeIsRefusedByName()
{
    QFETCH(QStringList, options);
    QFETCH(int, size);
    QFETCH(QString, message);
    writeBytes(path(u"odd.bin"_s), QByteArray(size, '\0'));
    for (const QString& command : {u"show"_s, u"check"_s}) {
        const Run r = tool(QStringList{command} << options << path(u"odd.bin"_s) << path(u"vlan.bin"_s));
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err, u"odu-switch: %1: %2\n"_s.arg(path(u"odd.bin"_s), message));
        QVERIFY(r.out.contains(path(u"vlan.bin"_s).toUtf8())); // the other file is still handled
    }
}

void TestTool::diffExitCodes()
{
    QFile::copy(path(u"vlan.bin"_s), path(u"same.bin"_s));
    Run r = tool({u"diff"_s, path(u"vlan.bin"_s), path(u"same.bin"_s)});
    QCOMPARE(r.code, 0);
    QVERIFY(r.out.isEmpty());

    QByteArray changed = image(ArrayKind::Vlan);
    VlanConfigArray cfg(reinterpret_cast<unsigned char*>(changed.data()));
    cfg.set_Default_VID(port_line2, 10);
    cfg.set_vlan_mode(vlan_mode_double_tag);
    writeBytes(path(u"new.bin"_s), changed);
    r = tool({u"diff"_s, path(u"vlan.bin"_s), path(u"new.bin"_s)});
    QCOMPARE(r.code, 1);
    QCOMPARE(QString::fromUtf8(r.out),
             u"--- %1\n+++ %2\n"
             "vlan_mode (VLAN Main Switch / VLAN Main Switch): Disable -> Double Tag\n"
             "default_vid.line2 (Default VID / LINE 2): 1 -> 10\n"_s.arg(path(u"vlan.bin"_s), path(u"new.bin"_s)));

    r = tool({u"diff"_s, u"--json"_s, path(u"vlan.bin"_s), path(u"new.bin"_s)});
    QCOMPARE(r.code, 1);
    const QJsonArray changes = QJsonDocument::fromJson(r.out).object().value(u"changes"_s).toArray();
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes.at(1).toObject().value(u"old"_s).toInt(), 1);
    QCOMPARE(changes.at(1).toObject().value(u"new"_s).toInt(), 10);

    QCOMPARE(tool({u"diff"_s, path(u"vlan.bin"_s), path(u"qos.bin"_s)}).code, 2);
    QCOMPARE(tool({u"diff"_s, path(u"vlan.bin"_s), path(u"missing.bin"_s)}).code, 2);
    QCOMPARE(tool({u"diff"_s, path(u"vlan.bin"_s)}).code, 2);
}

// Every command that walks a field list reaches both of its ends: a change
// in only the first or only the last field (and, for check, the first or
// last reserved bits) is shown, reported by diff and kept by encode.
void TestTool::fieldListEnds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("field");
    for (ArrayKind kind : {ArrayKind::Qos, ArrayKind::Vlan}) {
        const QList<FieldSpec>& list = fieldCatalogue(kind);
        QStringList reserved;
        for (const FieldSpec& f : list)
            if (f.kind == FieldKind::Reserved)
                reserved << f.name;
        const char* key = kind == ArrayKind::Qos ? "QoS" : "VLAN";
        QTest::addRow("%s first field", key) << int(kind) << list.constFirst().name;
        QTest::addRow("%s last field", key) << int(kind) << list.constLast().name;
        QTest::addRow("%s first reserved bits", key) << int(kind) << reserved.constFirst();
        QTest::addRow("%s last reserved bits", key) << int(kind) << reserved.constLast();
    }
}

void TestTool::fieldListEnds()
{
    QFETCH(int, kind);
    QFETCH(QString, field);
    const FieldSpec* f = findField(ArrayKind(kind), field);
    QVERIFY(f);
    const QByteArray before = image(ArrayKind(kind));
    QByteArray after = before;
    auto* raw = reinterpret_cast<unsigned char*>(after.data());
    const unsigned was = readField(*f, raw);
    const unsigned is = f->kind == FieldKind::Reserved ? was ^ (f->mask & (~f->mask + 1u)) : was ^ 1u;
    writeField(*f, raw, is);
    QCOMPARE(readField(*f, raw), is);
    writeBytes(path(u"old.bin"_s), before);
    writeBytes(path(u"new.bin"_s), after);

    // diff: that field and nothing else, in text and in JSON.
    Run r = tool({u"diff"_s, path(u"old.bin"_s), path(u"new.bin"_s)});
    QCOMPARE(r.code, 1);
    const QStringList lines = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY2(lines.at(2).startsWith(field + u" ("_s), qPrintable(lines.at(2)));
    QVERIFY2(lines.at(2).endsWith(u": %1 -> %2"_s.arg(fieldValueText(*f, was), fieldValueText(*f, is))),
             qPrintable(lines.at(2)));
    r = tool({u"diff"_s, u"--json"_s, path(u"old.bin"_s), path(u"new.bin"_s)});
    const QJsonArray changes = QJsonDocument::fromJson(r.out).object().value(u"changes"_s).toArray();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).toObject().value(u"field"_s).toString(), field);

    // show: the field's line carries the new value.
    r = tool({u"show"_s, path(u"new.bin"_s)});
    QCOMPARE(r.code, 0);
    const QRegularExpression line(u"^  .* +%1 +%2$"_s.arg(QRegularExpression::escape(fieldValueText(*f, is)),
                                                          QRegularExpression::escape(field)),
                                  QRegularExpression::MultilineOption);
    QVERIFY2(line.match(QString::fromUtf8(r.out)).hasMatch(), r.out.constData());

    // show --json and encode: the change survives the round trip.
    const Run old = tool({u"show"_s, u"--json"_s, path(u"old.bin"_s)});
    r = tool({u"show"_s, u"--json"_s, path(u"new.bin"_s)});
    QCOMPARE(r.code, 0);
    const QJsonObject oldFields = QJsonDocument::fromJson(old.out).object().value(u"fields"_s).toObject();
    const QJsonObject newFields = QJsonDocument::fromJson(r.out).object().value(u"fields"_s).toObject();
    QVERIFY(newFields.contains(field));
    QVERIFY(newFields.value(field) != oldFields.value(field));
    QCOMPARE(tool({u"encode"_s, u"-"_s, u"-o"_s, path(u"out.bin"_s)}, r.out).code, 0);
    QCOMPARE(fileBytes(path(u"out.bin"_s)).toHex(), after.toHex());

    // check: reserved bits are a finding, wherever they lie.
    if (f->kind == FieldKind::Reserved) {
        r = tool({u"check"_s, path(u"new.bin"_s)});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.out.contains(u"reserved bits are set: byte %1 %2"_s.arg(f->byte).arg(fieldValueText(*f, is)).toUtf8()),
                 r.out.constData());
    }
}

// With several files, the worst outcome decides the exit code: trouble (an
// unreadable file) over findings, findings over clean; every readable file
// is still handled, in order, whatever comes before or after it.
void TestTool::exitCodePrecedence_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("files"); // clean, finding, missing, short
    QTest::addColumn<int>("code");
    QTest::newRow("check: clean") << u"check"_s << QStringList{u"clean"_s, u"clean"_s} << 0;
    QTest::newRow("check: one finding after a clean file") << u"check"_s << QStringList{u"clean"_s, u"finding"_s} << 1;
    QTest::newRow("check: one finding before a clean file") << u"check"_s << QStringList{u"finding"_s, u"clean"_s} << 1;
    QTest::newRow("check: finding, then a missing file")
        << u"check"_s << QStringList{u"finding"_s, u"missing"_s} << 2;
    QTest::newRow("check: a missing file, then a finding")
        << u"check"_s << QStringList{u"missing"_s, u"finding"_s} << 2;
    QTest::newRow("check: finding, then a file of the wrong size")
        << u"check"_s << QStringList{u"finding"_s, u"short"_s, u"clean"_s} << 2;
    QTest::newRow("check: clean, then a missing file") << u"check"_s << QStringList{u"clean"_s, u"missing"_s} << 2;
    QTest::newRow("show: a missing file among readable ones")
        << u"show"_s << QStringList{u"finding"_s, u"missing"_s, u"clean"_s} << 2;
    QTest::newRow("show: readable files") << u"show"_s << QStringList{u"finding"_s, u"clean"_s} << 0;
    QTest::newRow("diff: differing") << u"diff"_s << QStringList{u"clean"_s, u"finding"_s} << 1;
    QTest::newRow("diff: differing, one of the wrong size") << u"diff"_s << QStringList{u"finding"_s, u"short"_s} << 2;
    QTest::newRow("diff: a missing old file") << u"diff"_s << QStringList{u"missing"_s, u"clean"_s} << 2;
}

void TestTool::exitCodePrecedence()
{
    QFETCH(QString, command);
    QFETCH(QStringList, files);
    QFETCH(int, code);
    QByteArray finding = image(ArrayKind::Qos);
    finding[36] = 0; // a zero weight: Set refuses it
    writeBytes(path(u"clean"_s), image(ArrayKind::Qos));
    writeBytes(path(u"finding"_s), finding);
    writeBytes(path(u"short"_s), QByteArray(kQosConfigSize - 1, '\0'));
    QStringList args{command};
    for (const QString& name : files)
        args << path(name);
    const Run r = tool(args);
    QCOMPARE(r.code, code);
    if (command == u"diff"_s)
        return;
    // Every readable file is reported, in the order given.
    qsizetype at = 0;
    for (const QString& name : files) {
        if (name == u"missing"_s || name == u"short"_s)
            continue;
        const qsizetype found = r.out.indexOf((path(name) + u":"_s).toUtf8(), at);
        QVERIFY2(found >= at, qPrintable(name));
        at = found + 1;
    }
}

// What each command needs on its command line, and the options' ranges at
// their ends: refused with exit 2 and a message, or accepted.
void TestTool::usage_data()
{
    QTest::addColumn<QStringList>("args"); // run in the scratch folder
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // on standard error; empty: none
    QTest::newRow("show without a file") << QStringList{u"show"_s} << 2 << u"show: no file given"_s;
    QTest::newRow("check without a file") << QStringList{u"check"_s} << 2 << u"check: no file given"_s;
    QTest::newRow("diff of one file") << QStringList{u"diff"_s, u"vlan.bin"_s} << 2 << u"diff: give two files"_s;
    QTest::newRow("diff of three files") << QStringList{u"diff"_s, u"vlan.bin"_s, u"vlan.bin"_s, u"vlan.bin"_s} << 2
                                         << u"diff: give two files"_s;
    QTest::newRow("set without a value") << QStringList{u"set"_s, u"vlan.bin"_s} << 2 << u"set: give one or more files"_s;
    QTest::newRow("set without a file") << QStringList{u"set"_s, u"vlan_mode=1"_s} << 2
                                        << u"set: give one or more files"_s;
    QTest::newRow("set -o with two files") << QStringList{u"set"_s, u"-o"_s, u"out.bin"_s, u"vlan.bin"_s, u"qos.bin"_s,
                                                          u"reserved.byte0=0"_s}
                                           << 2 << u"set: -o takes the result of one file only"_s;
    // A name is what comes before the first '=', so it cannot be empty: an
    // argument that starts with '=' names a file.
    QTest::newRow("set on a file whose name starts with =")
        << QStringList{u"set"_s, u"=vlan.bin"_s, u"vlan_mode=Single Tag"_s} << 0 << QString();
    QTest::newRow("encode without -o") << QStringList{u"encode"_s, u"in.json"_s} << 2 << u"encode: give one JSON file"_s;
    QTest::newRow("encode of two files") << QStringList{u"encode"_s, u"in.json"_s, u"in.json"_s, u"-o"_s, u"out.bin"_s}
                                         << 2 << u"encode: give one JSON file"_s;
    QTest::newRow("encode --kind of the other kind") << QStringList{u"encode"_s, u"--kind"_s, u"vlan"_s, u"in.json"_s,
                                                                    u"-o"_s, u"out.bin"_s}
                                                     << 2 << u"in.json: describes a QoS array, not a VLAN array"_s;
    QTest::newRow("--kind of another name") << QStringList{u"show"_s, u"--kind"_s, u"stp"_s, u"vlan.bin"_s} << 2
                                            << u"--kind takes qos or vlan"_s;
    QTest::newRow("--modem2-mode 255, the largest")
        << QStringList{u"check"_s, u"--modem2-mode"_s, u"255"_s, u"qos.bin"_s} << 0 << QString();
    QTest::newRow("--modem2-mode 256") << QStringList{u"check"_s, u"--modem2-mode"_s, u"256"_s, u"qos.bin"_s} << 2
                                       << u"--modem2-mode takes a number from 0 to 255"_s;
    QTest::newRow("--modem2-mode -1") << QStringList{u"check"_s, u"--modem2-mode=-1"_s, u"qos.bin"_s} << 2
                                      << u"--modem2-mode takes a number from 0 to 255"_s;
    QTest::newRow("no command") << QStringList() << 2 << u"no command"_s;
    QTest::newRow("unknown command") << QStringList{u"shwo"_s, u"vlan.bin"_s} << 2 << u"unknown command \"shwo\""_s;
}

void TestTool::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFile::copy(path(u"vlan.bin"_s), path(u"=vlan.bin"_s));
    writeBytes(path(u"in.json"_s), R"({"format":1,"kind":"qos"})");
    const Run r = tool(args, QByteArray(), m_dir->path());
    QVERIFY2(message.isEmpty() ? r.err.isEmpty() : r.err.contains(message), qPrintable(r.err));
    QCOMPARE(r.code, code);
    QVERIFY(!QFileInfo::exists(path(u"out.bin"_s)));
    // Only the file that starts with '=' may change, and only when accepted.
    QCOMPARE(fileBytes(path(u"vlan.bin"_s)), image(ArrayKind::Vlan));
    QCOMPARE(fileBytes(path(u"=vlan.bin"_s)) != image(ArrayKind::Vlan), args.contains(u"=vlan.bin"_s) && code == 0);
}

// Standard output cannot be taken back: when a later file fails, nothing is
// "restored" to a file named "-".
void TestTool::setRestoresNothingToStandardOutput()
{
    ScratchFileSystem scratch;
    QString second;
    if (scratch.mounted()) {
        second = scratch.filePath(u"second.bin"_s);
        writeBytes(second, image(ArrayKind::Vlan));
        QVERIFY(scratch.makeReadOnly());
    } else {
        QVERIFY(QDir().mkdir(path(u"locked"_s)));
        second = path(u"locked/second.bin"_s);
        writeBytes(second, image(ArrayKind::Vlan));
        QVERIFY(QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner));
    }
    const Run r = tool({u"set"_s, u"-"_s, second, u"default_vid.nms=7"_s}, image(ArrayKind::Vlan), m_dir->path());
    QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(u"'%1' cannot be written"_s.arg(second)), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(path(u"-"_s)));
    QCOMPARE(fileBytes(second), image(ArrayKind::Vlan));
}

void TestTool::check_data()
{
    QTest::addColumn<QByteArray>("array");
    QTest::addColumn<QStringList>("facts");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("output");

    QTest::newRow("default image") << image(ArrayKind::Vlan) << QStringList() << 0 << "ok";
    QTest::newRow("Single Tag on a unit") << singleTag() << QStringList() << 0 << "ok";
    QTest::newRow("Single Tag with VLAN active in Ethernet")
        << singleTag() << QStringList{u"--vlan-active-in-ethernet"_s} << 1
        << "refused: Single Tag mode cannot be enabled since VLAN is active in Ethernet properties!";
    QTest::newRow("Single Tag, 1+0 inactive") << singleTag() << QStringList{u"--one-plus-zero-inactive"_s} << 1
                                              << "refused: Single Tag mode cannot be enabled since 1+0 mode is inactive!";
    QByteArray noNms = singleTag();
    noNms[18] = char(noNms[18] | 0xC0); // entry 1: NMS not a member
    QTest::newRow("no NMS VLAN") << noNms << QStringList() << 1 << "refused: No VLAN to NMS port!";
    QByteArray weights = image(ArrayKind::Qos);
    weights[36] = 0;
    QTest::newRow("QoS zero weight") << weights << QStringList() << 1
                                     << "refused: Either zero weight have been typed, or sum of weights is bigger than "
                                        "128! (weights 1, 2, 0, 8; sum 11)";
}

void TestTool::check()
{
    QFETCH(QByteArray, array);
    QFETCH(QStringList, facts);
    QFETCH(int, code);
    QFETCH(QString, output);
    writeBytes(path(u"a.bin"_s), array);
    const Run r = tool(QStringList{u"check"_s} << facts << path(u"a.bin"_s));
    QCOMPARE(r.code, code);
    QCOMPARE(QString::fromUtf8(r.out).section(u'\n', 0, 0), u"%1: %2"_s.arg(path(u"a.bin"_s), output));
}

void TestTool::checkManyFilesAndCatalogue()
{
    QByteArray noNms = singleTag();
    noNms[18] = char(noNms[18] | 0xC0);
    writeBytes(path(u"bad.bin"_s), noNms);
    writeBytes(path(u"cat.ini"_s), "[VLAN]\nno_vlan_2_nms=Kein VLAN zum NMS-Port!\n");
    const Run r = tool({u"check"_s, u"--catalogue"_s, path(u"cat.ini"_s), path(u"vlan.bin"_s), path(u"bad.bin"_s),
                        path(u"qos.bin"_s)});
    QCOMPARE(r.code, 1);
    const QStringList lines = QString::fromUtf8(r.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.value(0), path(u"vlan.bin"_s) + u": ok"_s);
    QCOMPARE(lines.value(1), path(u"bad.bin"_s) + u": refused: Kein VLAN zum NMS-Port!"_s);
    QCOMPARE(lines.constLast(), path(u"qos.bin"_s) + u": ok"_s);

    const Run json = tool({u"check"_s, u"--json"_s, path(u"bad.bin"_s)});
    const QJsonObject finding = QJsonDocument::fromJson(json.out)
                                    .object().value(u"results"_s).toArray().at(0).toObject()
                                    .value(u"findings"_s).toArray().at(0).toObject();
    QCOMPARE(finding.value(u"severity"_s).toString(), u"refused"_s);
    QCOMPARE(finding.value(u"text"_s).toString(), u"No VLAN to NMS port!"_s);

    QCOMPARE(tool({u"check"_s, u"--catalogue"_s, path(u"none.ini"_s), path(u"vlan.bin"_s)}).code, 2);
}

void TestTool::setWritesFieldsAtomically()
{
    const QString file = path(u"vlan.bin"_s);
    const ino_t before = inode(file);
    const Run r = tool({u"set"_s, file, u"vlan_mode=Single Tag"_s, u"default_vid.line2=10"_s,
                        u"port_forwarding.nms_line2=on"_s, u"reserved.byte0=0x80"_s});
    QCOMPARE(r.code, 0);
    QVERIFY(r.err.isEmpty());
    const QByteArray bytes = fileBytes(file);
    VlanConfigArray cfg(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.constData())));
    QCOMPARE(int(cfg.get_vlan_mode()), int(vlan_mode_single_tag));
    QCOMPARE(int(cfg.get_Default_VID(port_line2)), 10);
    QVERIFY(cfg.portForwarding()[kFwdNmsLine2]);
    QCOMPARE(uchar(bytes[0]) & 0x88, 0x80);
    // Written beside and renamed over: the name now leads to a new file, and
    // nothing else is left in the folder.
    QVERIFY(inode(file) != before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 2);
}

void TestTool::setWritesNothingOnAnError_data()
{
    QTest::addColumn<QStringList>("assignments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown field") << QStringList{u"vlan_mode=Single Tag"_s, u"vlan_mod=1"_s}
                                   << "a VLAN array has no field \"vlan_mod\" (see show --json)";
    QTest::newRow("value out of range") << QStringList{u"default_vid.nms=4096"_s}
                                        << "\"4096\" is not a value of default_vid.nms, which takes 0 to 4095";
    QTest::newRow("QoS field in a VLAN array") << QStringList{u"qos_main_switch=Enabled"_s}
                                               << "a VLAN array has no field \"qos_main_switch\" (see show --json)";
    // One grammar for numbers: digits, or 0x and hexadecimal digits; nothing else.
    for (const QString& value : {u"0x+14"_s, u"0x 1f"_s, u"+20"_s})
        QTest::addRow("number \"%s\"", qPrintable(value))
            << QStringList{u"default_vid.nms="_s + value}
            << u"\"%1\" is not a value of default_vid.nms"_s.arg(value);
}

void TestTool::setWritesNothingOnAnError()
{
    QFETCH(QStringList, assignments);
    QFETCH(QString, message);
    // Two files: the first would be fine, the error is found in the second.
    QFile::copy(path(u"vlan.bin"_s), path(u"first.bin"_s));
    const ino_t first = inode(path(u"first.bin"_s));
    const ino_t second = inode(path(u"vlan.bin"_s));
    const Run r = tool(QStringList{u"set"_s, path(u"first.bin"_s), path(u"vlan.bin"_s)} << assignments);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(fileBytes(path(u"first.bin"_s)), image(ArrayKind::Vlan));
    QCOMPARE(fileBytes(path(u"vlan.bin"_s)), image(ArrayKind::Vlan));
    QCOMPARE(inode(path(u"first.bin"_s)), first);
    QCOMPARE(inode(path(u"vlan.bin"_s)), second);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 3);
}

void TestTool::setThroughStandardStreams()
{
    const Run r = tool({u"set"_s, u"-"_s, u"qos_main_switch=Enabled"_s, u"queue_weight.3=100"_s},
                       image(ArrayKind::Qos));
    QCOMPARE(r.code, 0);
    QByteArray expected = image(ArrayKind::Qos);
    expected[38] = char(expected[38] | 0x04);
    expected[37] = char(100);
    QCOMPARE(r.out, expected);
}

void TestTool::encodeRoundTripThroughThePipe()
{
    std::mt19937 rng(5);
    for (int i = 0; i < 12; ++i) {
        QByteArray bytes(i % 2 ? kQosConfigSize : kVlanConfigSize, '\0');
        for (char& c : bytes)
            c = char(rng() & 0xFF);
        writeBytes(path(u"in.bin"_s), bytes);
        const Run show = tool({u"show"_s, u"--json"_s, path(u"in.bin"_s)});
        QCOMPARE(show.code, 0);
        const Run encode = tool({u"encode"_s, u"-"_s, u"-o"_s, path(u"out.bin"_s)}, show.out);
        QCOMPARE(encode.code, 0);
        QCOMPARE(fileBytes(path(u"out.bin"_s)).toHex(), bytes.toHex());
    }
}

void TestTool::encodeRefusals_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message");
    QTest::newRow("not JSON") << QByteArray("{\"format\": 1,") << "not JSON";
    QTest::newRow("two arrays") << QByteArray("[{}, {}]") << "encode takes one array; this JSON holds 2";
    QTest::newRow("bad value") << QByteArray(R"({"format":1,"kind":"qos","fields":{"ch1_scheduling":"Fast"}})")
                               << "field \"ch1_scheduling\" takes Weighted round robin, Strict, or 0 to 1";
    QTest::newRow("number string with a NUL and more")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":"20\u0000junk"}})")
        << "field \"queue_weight.3\" takes";
    QTest::newRow("number string with a sign after 0x")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":"0x+14"}})") << "field \"queue_weight.3\" takes";
    QTest::newRow("number with a fraction")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":20.0}})") << "a fraction or an exponent";
    QTest::newRow("number with an exponent")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":2e1}})") << "a fraction or an exponent";
    QTest::newRow("a negative number inside a list")
        << QByteArray(R"({"format":1,"kind":"qos","pad":[1,-2]})") << "a negative number; every number of the format is 0 or more at offset 34";
    QTest::newRow("the text ends where a value should be")
        << QByteArray(R"({"format":1,"kind":"qos","pad":)") << "the text ends where a value should be at offset 31";
    QTest::newRow("a bare number") << QByteArray("5") << "the JSON is not an object";
    QTest::newRow("a list of one number") << QByteArray("[5]") << "encode takes one array; this JSON holds 1";
    QTest::newRow("an empty list") << QByteArray("[]") << "encode takes one array; this JSON holds 0";
    QTest::newRow("repeated key") << QByteArray(R"({"format":1,"kind":"qos","fields":{},"fields":{"queue_weight.3":9}})")
                                  << "the key \"fields\" appears twice in one object at offset 37";
    QTest::newRow("repeated field")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":9,"queue_weight.3":10}})")
        << "the key \"queue_weight.3\" appears twice";
}

void TestTool::encodeRefusals()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    writeBytes(path(u"in.json"_s), json);
    const Run r = tool({u"encode"_s, path(u"in.json"_s), u"-o"_s, path(u"qos.bin"_s)});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(fileBytes(path(u"qos.bin"_s)), image(ArrayKind::Qos));
    QCOMPARE(tool({u"encode"_s, path(u"in.json"_s), u"-o"_s, path(u"new.bin"_s)}).code, 2);
    QVERIFY(!QFileInfo::exists(path(u"new.bin"_s)));
}

// The JSON reader's limits, each at the limit (read) and one past (refused):
// the largest number, the nesting depth and the size.
void TestTool::encodeLimits_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message"); // empty: encoded
    const QByteArray head = R"({"format":1,"kind":"qos","pad":)";
    const auto nested = [&](int levels) { // the outer object is the first level
        return head + QByteArray(levels - 1, '[') + QByteArray(levels - 1, ']') + "}";
    };
    const auto sized = [&](qsizetype bytes) {
        return head + '"' + QByteArray(bytes - head.size() - 3, 'x') + "\"}";
    };
    QTest::newRow("2^53") << head + "9007199254740992}" << QString();
    QTest::newRow("2^53 + 1") << head + "9007199254740993}" << u"a number larger than 2^53 at offset 31"_s;
    QTest::newRow("2^53 as a field's value: read, then out of the field's range")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":9007199254740992}})")
        << u"field \"queue_weight.3\" takes 0 to 255"_s;
    QTest::newRow("a list of one array") << QByteArray(R"([{"format":1,"kind":"qos"}])") << QString();
    QTest::newRow("nested 64 levels") << nested(64) << QString();
    QTest::newRow("nested 65 levels") << nested(65) << u"nested deeper than 64 levels"_s;
    QTest::newRow("4194304 bytes") << sized(4194304) << QString();
    QTest::newRow("4194305 bytes") << sized(4194305) << u"is larger than 4194304 bytes"_s;
}

void TestTool::encodeLimits()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, message);
    writeBytes(path(u"in.json"_s), json);
    const Run r = tool({u"encode"_s, path(u"in.json"_s), u"-o"_s, path(u"out.bin"_s)});
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QCOMPARE(r.code, message.isEmpty() ? 0 : 2);
    QCOMPARE(QFileInfo::exists(path(u"out.bin"_s)), message.isEmpty());
}

// Strings as the JSON reader takes them: escapes in either case of the
// hexadecimal digits, whole surrogate pairs, UTF-8 only, no control character.
void TestTool::encodeStrings_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("message"); // empty: encoded
    const QByteArray head = R"({"format":1,"kind":"qos",)";
    QTest::newRow("field names escaped in both cases of the digits")
        << head + R"("fields":{"queue_weight\u002E3":9,"port_priority\u002eline2":7}})" << QString();
    QTest::newRow("the digits a, f, A and F") << head + R"("pad":"\u00af\u00AF\u00Fa"})" << QString();
    QTest::newRow("a digit past F") << head + R"("pad":"\u00AG"})" << u"a \\u escape with fewer than four digits"_s;
    QTest::newRow("every escape, each last in its string")
        << head + R"("pad":["\b","\f","\n","\r","\t","\"","\\","\/"]})" << QString();
    QTest::newRow("tab escapes around a value, which are trimmed")
        << head + R"("fields":{"ch1_scheduling":"\tStrict\t"}})" << QString();
    QTest::newRow("an escape as the last two bytes")
        << head + R"("pad":"\n)" << u"a string without its closing quote at offset 34"_s;
    QTest::newRow("a backslash as the last byte") << head + R"("pad":"\)" << u"a string without its closing quote at offset 32"_s;
    QTest::newRow("a surrogate pair") << head + R"("pad":"\ud83d\ude00"})" << QString();
    QTest::newRow("half a surrogate pair") << head + R"("pad":"\ud83dx"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate, then an escape of no low one")
        << head + R"("pad":"\ud83d\u0041"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate, then another escape with four digits")
        << head + R"("pad":"\ud83d\xde00"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate at the end") << head + R"("pad":"\ud83d\)" << u"a \\u escape of half a character"_s;
    QTest::newRow("a lone low surrogate") << head + R"("pad":"\ude00"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("UTF-8") << head + "\"pad\":\"gr\xc3\xbc\xc3\x9f\"}" << QString();
    QTest::newRow("Latin-1") << head + "\"pad\":\"gr\xfc\xdf\"}" << u"a string that is not UTF-8"_s;
    QTest::newRow("DEL, the first byte past the controls") << head + "\"pad\":\"\x7f\"}" << QString();
    QTest::newRow("0x1F, the last control character") << head + "\"pad\":\"\x1f\"}"
                                                      << u"a control character in a string"_s;
}

void TestTool::defaultImages()
{
    QCOMPARE(tool({u"default"_s, u"qos"_s, u"-o"_s, path(u"d.bin"_s)}).code, 0);
    QCOMPARE(fileBytes(path(u"d.bin"_s)), image(ArrayKind::Qos));
    const Run vlan = tool({u"default"_s, u"vlan"_s, u"-o"_s, u"-"_s});
    QCOMPARE(vlan.code, 0);
    QCOMPARE(vlan.out, image(ArrayKind::Vlan));
    QCOMPARE(tool({u"default"_s, u"stp"_s, u"-o"_s, path(u"e.bin"_s)}).code, 2);
    QCOMPARE(tool({u"default"_s, u"qos"_s}).code, 2);
    QVERIFY(!QFileInfo::exists(path(u"e.bin"_s)));
}

// A write that fails halfway (a full file system, a file size limit) leaves
// the old file as it was, leaves no temporary file and exits 2.
void TestTool::failedWritesLeaveTheOldFile_data()
{
    QTest::addColumn<bool>("fullFileSystem"); // else: a file size limit of 0
    QTest::addColumn<QStringList>("args");    // FILE stands for the file written
    for (const bool full : {true, false}) {
        const char* how = full ? "full file system" : "file size limit";
        QTest::addRow("set, %s", how) << full << QStringList{u"set"_s, u"FILE"_s, u"default_vid.nms=7"_s};
        QTest::addRow("default -o, %s", how) << full << QStringList{u"default"_s, u"vlan"_s, u"-o"_s, u"FILE"_s};
        QTest::addRow("encode -o, %s", how) << full << QStringList{u"encode"_s, u"JSON"_s, u"-o"_s, u"FILE"_s};
    }
}

void TestTool::failedWritesLeaveTheOldFile()
{
    QFETCH(bool, fullFileSystem);
    QFETCH(QStringList, args);
    ScratchFileSystem scratch;
    if (fullFileSystem && !scratch.mounted())
        QSKIP(qPrintable(scratch.reason()));
    const QString dir = fullFileSystem ? scratch.path() : m_dir->path();
    const QString file = dir + u"/unit.bin"_s;
    QByteArray old = image(ArrayKind::Vlan);
    old[0] = char(0x88);
    writeBytes(file, old);
    writeBytes(path(u"in.json"_s), R"({"format":1,"kind":"vlan"})");
    args.replaceInStrings(u"FILE"_s, file).replaceInStrings(u"JSON"_s, path(u"in.json"_s));
    const QStringList before = entries(dir);
    if (fullFileSystem)
        QVERIFY(scratch.fill());

    const Run r = tool(args, {}, {}, fullFileSystem ? std::function<void()>() : noFileSize);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(u"The old file is unchanged"_s), qPrintable(r.err));
    QCOMPARE(fileBytes(file), old);
    QStringList after = entries(dir);
    after.removeAll(u"filler"_s);
    QCOMPARE(after, before);
}

// Outputs that are not regular files (or are links) stay what they are.
void TestTool::specialFilesAreNeverReplaced_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said");
    QTest::newRow("pipe") << u"fifo"_s << u"is a pipe"_s;
    QTest::newRow("device node") << u"device"_s << u"is a device"_s;
    QTest::newRow("link to a device") << u"link to device"_s << u"is a symbolic link"_s;
    QTest::newRow("link to a regular file") << u"link to file"_s << u"is a symbolic link"_s;
    QTest::newRow("folder") << u"folder"_s << u"is a folder"_s;
}

void TestTool::specialFilesAreNeverReplaced()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);
    const QString target = path(u"target"_s);
    const QByteArray name = QFile::encodeName(target);
    const QString device = path(u"null-device"_s);
    const bool needsDevice = kind == u"device"_s || kind == u"link to device"_s;
    // A private copy of /dev/null's node, so that nothing of the system is at stake.
    if (needsDevice && ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        QSKIP("making a device node (mknod) needs root; CI runs the suite as root");
    if (kind == u"fifo"_s)
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    else if (kind == u"device"_s)
        QCOMPARE(::rename(QFile::encodeName(device).constData(), name.constData()), 0);
    else if (kind == u"link to device"_s)
        QVERIFY(QFile::link(device, target));
    else if (kind == u"link to file"_s)
        QVERIFY(QFile::link(path(u"qos.bin"_s), target));
    else
        QVERIFY(QDir().mkdir(target));
    const QString was = what(target);

    for (const QStringList& args : {QStringList{u"default"_s, u"qos"_s, u"-o"_s, target},
                                    QStringList{u"set"_s, path(u"qos.bin"_s), u"queue_weight.3=9"_s, u"-o"_s, target}}) {
        const Run r = tool(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(said) && r.err.contains(target), qPrintable(r.err));
        QCOMPARE(what(target), was);
    }
    QCOMPARE(fileBytes(path(u"qos.bin"_s)), image(ArrayKind::Qos));
    if (needsDevice)
        QCOMPARE(what(u"/dev/null"_s).section(u' ', 0, 3), u"type %1 device 1:3"_s.arg(S_IFCHR));
}

// Inputs that never end, never deliver or are far too large are refused at
// once, without reading them.
void TestTool::inputsWithoutEndOrWriterAreRefused_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("said");     // by show, check and set
    QTest::addColumn<QString>("jsonSaid"); // by encode
    QTest::newRow("endless device") << u"/dev/zero"_s << u"'/dev/zero' is a device, not a regular file"_s
                                    << u"'/dev/zero' is a device, not a regular file"_s;
    QTest::newRow("pipe without a writer") << u"FIFO"_s << u"is a pipe, not a regular file"_s
                                           << u"is a pipe, not a regular file"_s;
    QTest::newRow("1 GB sparse file") << u"SPARSE"_s << u"more than 82 bytes; a configuration array has"_s
                                      << u"is larger than 4194304 bytes"_s;
}

void TestTool::inputsWithoutEndOrWriterAreRefused()
{
    QFETCH(QString, input);
    QFETCH(QString, said);
    QFETCH(QString, jsonSaid);
    if (input == u"FIFO"_s) {
        input = path(u"pipe"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(input).constData(), 0600), 0);
    } else if (input == u"SPARSE"_s) {
        input = path(u"sparse.bin"_s);
        QFile f(input);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(qint64(1) << 30));
    }
    for (const QStringList& args : {QStringList{u"show"_s, input}, QStringList{u"check"_s, input},
                                    QStringList{u"set"_s, input, u"queue_weight.3=9"_s},
                                    QStringList{u"encode"_s, input, u"-o"_s, path(u"out.bin"_s)}}) {
        const Run r = tool(args, {}, {}, memoryBelowOneGigabyte);
        QCOMPARE(r.code, 2);
        const QString expected = args.first() == u"encode"_s ? jsonSaid : said;
        QVERIFY2(r.err.contains(expected), qPrintable(args.join(u' ') + u": "_s + r.err));
    }
    QVERIFY(!QFileInfo::exists(path(u"out.bin"_s)));
}

// Output that does not arrive is a failure, never a silent success.
void TestTool::lostOutputIsAFailure_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("closed"); // else: a full device
    QTest::newRow("show --json > /dev/full") << QStringList{u"show"_s, u"--json"_s, u"VLAN"_s} << false;
    QTest::newRow("show > /dev/full") << QStringList{u"show"_s, u"QOS"_s} << false;
    QTest::newRow("check > /dev/full") << QStringList{u"check"_s, u"VLAN"_s} << false;
    QTest::newRow("diff > /dev/full") << QStringList{u"diff"_s, u"QOS"_s, u"OTHER"_s} << false;
    QTest::newRow("default -o - > /dev/full") << QStringList{u"default"_s, u"vlan"_s, u"-o"_s, u"-"_s} << false;
    QTest::newRow("--help > /dev/full") << QStringList{u"--help"_s} << false;
    QTest::newRow("show, standard output closed") << QStringList{u"show"_s, u"VLAN"_s} << true;
    QTest::newRow("check, standard output closed") << QStringList{u"check"_s, u"VLAN"_s} << true;
}

void TestTool::lostOutputIsAFailure()
{
    QFETCH(QStringList, args);
    QFETCH(bool, closed);
    writeBytes(path(u"other.bin"_s), QByteArray(40, '\0')); // differs from qos.bin: diff has something to say
    args.replaceInStrings(u"VLAN"_s, path(u"vlan.bin"_s)).replaceInStrings(u"QOS"_s, path(u"qos.bin"_s))
        .replaceInStrings(u"OTHER"_s, path(u"other.bin"_s));
    const Run r = tool(args, {}, {}, closed ? stdoutClosed : stdoutToDevFull);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.startsWith(u"odu-switch: cannot write to standard output"_s), qPrintable(r.err));
    QCOMPARE(fileBytes(path(u"vlan.bin"_s)), image(ArrayKind::Vlan));
}

// set over several files: when a later file cannot be written, the earlier
// ones get their old bytes back and the message names the file that failed.
void TestTool::setRestoresEarlierFilesWhenALaterOneFails()
{
    ScratchFileSystem scratch;
    QString second;
    if (scratch.mounted()) {
        // A read-only file system: even root cannot write there.
        second = scratch.filePath(u"second.bin"_s);
        writeBytes(second, image(ArrayKind::Vlan));
        QVERIFY(scratch.makeReadOnly());
    } else {
        QVERIFY(QDir().mkdir(path(u"locked"_s)));
        second = path(u"locked/second.bin"_s);
        writeBytes(second, image(ArrayKind::Vlan));
        QVERIFY(QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner));
    }
    const QString first = path(u"vlan.bin"_s);
    const QString third = path(u"third.bin"_s);
    writeBytes(third, image(ArrayKind::Vlan));
    const Run r = tool({u"set"_s, first, second, third, u"default_vid.nms=7"_s});
    QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(u"'%1' cannot be written"_s.arg(second)), qPrintable(r.err));
    QVERIFY2(r.err.contains(u"set: %1 failed; no file was changed (%2 got the old content back)"_s.arg(second, first)),
             qPrintable(r.err));
    for (const QString& file : {first, second, third})
        QCOMPARE(fileBytes(file), image(ArrayKind::Vlan));
}

// Several sets on one file at once, each changing its own field over and
// over: with the lock they take turns and no change is lost.
void TestTool::concurrentSetsTakeTurns()
{
    const QString file = path(u"vlan.bin"_s);
    const QStringList fields{u"default_vid.line2"_s, u"default_vid.line3"_s, u"default_vid.line4"_s,
                             u"default_vid.modem1"_s, u"default_vid.modem2"_s, u"default_vid.nms"_s};
    constexpr int kRounds = 30;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QString& field : fields) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(u"/bin/sh"_s, {u"-c"_s, u"for i in $(seq 1 %1); do \"$0\" set \"$1\" \"$2=$i\" || exit 1; done"_s.arg(kRounds),
                                QStringLiteral(ODU_SWITCH_TOOL), file, field});
        runs.push_back(std::move(p));
    }
    for (auto& p : runs) {
        QVERIFY(p->waitForFinished(300000));
        QCOMPARE(p->exitCode(), 0);
    }
    const QJsonObject values =
        QJsonDocument::fromJson(tool({u"show"_s, u"--json"_s, file}).out).object().value(u"fields"_s).toObject();
    for (const QString& field : fields)
        QCOMPARE(values.value(field).toInt(), kRounds);
    QCOMPARE(entries(m_dir->path()), (QStringList{u"qos.bin"_s, u"vlan.bin"_s}));
}

// The file set replaces keeps its permissions, and its owner where the
// tool may give it away (as root).
void TestTool::setKeepsModeAndOwner()
{
    const QString file = path(u"vlan.bin"_s);
    const QByteArray name = QFile::encodeName(file);
    QCOMPARE(::chmod(name.constData(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root)
        QCOMPARE(::chown(name.constData(), 4242, 4343), 0);
    QCOMPARE(tool({u"set"_s, file, u"default_vid.nms=7"_s}).code, 0);
    struct stat st {};
    QCOMPARE(::stat(name.constData(), &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));
    if (!root)
        QSKIP("only root can give a file to another owner; the mode was kept");
    QCOMPARE(st.st_uid, uid_t(4242));
    QCOMPARE(st.st_gid, gid_t(4343));
}

QTEST_GUILESS_MAIN(TestTool)
#include "tst_tool.moc"
