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
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
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
// The names in a folder, sorted, leaving out a name that is not UTF-8. Read
// with readdir: how Qt lists a folder that holds such a name differs between
// its versions (Qt 6.8 lists nothing at all).
QStringList entries(const QString& dir)
{
    QStringList names;
    DIR* d = ::opendir(QFile::encodeName(dir).constData());
    if (!d)
        return names;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(name);
        if (!utf8.hasError())
            names.append(decoded);
    }
    ::closedir(d);
    names.sort();
    return names;
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


// One call of the C library made to fail or wait in the tool, through the
// LD_PRELOAD library of tests/support/FaultShim.c.
struct Fault
{
    QString call;     // fsync, renameat, linkat, fsetxattr, fchmod or fchown
    int nth = 1;      // which of its calls
    int error = 0;    // what it fails with; 0: it runs
    int delayMs = 0;  // how long it waits first
    QString mark;     // made when it is reached
    QString trace;    // every call of those functions, one line each
};

QProcessEnvironment faultEnvironment(const Fault& fault)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
#ifdef ODU_FAULT_SHIM
    env.insert(u"LD_PRELOAD"_s, QStringLiteral(ODU_FAULT_SHIM));
#endif
    // AddressSanitizer would refuse to start after a preloaded library.
    env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":verify_asan_link_order=0"_s);
    env.insert(u"ODU_FAULT_CALL"_s, fault.call);
    env.insert(u"ODU_FAULT_NTH"_s, QString::number(fault.nth));
    env.insert(u"ODU_FAULT_ERRNO"_s, QString::number(fault.error));
    env.insert(u"ODU_FAULT_DELAY_MS"_s, QString::number(fault.delayMs));
    env.insert(u"ODU_FAULT_MARK"_s, fault.mark);
    env.insert(u"ODU_FAULT_TRACE"_s, fault.trace);
    return env;
}

Run faultyTool(const QStringList& args, const Fault& fault)
{
    ProgramRunOptions options;
    options.timeoutMs = 60000;
    options.environment = faultEnvironment(fault);
    const ProgramRun run = runProgram(QStringLiteral(ODU_SWITCH_TOOL), args, options);
    return {run.exitCode, run.out, QString::fromUtf8(run.err)};
}

// The tool started with a fault, not waited for.
std::unique_ptr<QProcess> startFaultyTool(const QStringList& args, const Fault& fault)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(faultEnvironment(fault));
    p->start(QStringLiteral(ODU_SWITCH_TOOL), args);
    return p;
}

bool haveFaultShim()
{
#ifdef ODU_FAULT_SHIM
    return true;
#else
    return false;
#endif
}

// An access ACL or a default ACL as the kernel stores it in the attribute
// system.posix_acl_access (or _default): version 2, then (tag, permissions,
// id) entries sorted by tag. This one also lets `user` read and write.
QByteArray aclGranting(uint32_t user, int ownerPerm, int groupPerm, int maskPerm, int otherPerm)
{
    QByteArray acl;
    const auto u32 = [&](uint32_t v) { acl.append(reinterpret_cast<const char*>(&v), 4); };
    const auto entry = [&](uint16_t tag, uint16_t perm, uint32_t id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        u32(id);
    };
    u32(2);
    entry(0x01, uint16_t(ownerPerm), uint32_t(-1)); // the owner
    entry(0x02, 6, user);                           // the named user
    entry(0x04, uint16_t(groupPerm), uint32_t(-1)); // the group
    entry(0x10, uint16_t(maskPerm), uint32_t(-1));  // the mask
    entry(0x20, uint16_t(otherPerm), uint32_t(-1)); // others
    return acl;
}

// Who may do what with a file: mode, owner, group, and every extended
// attribute (ACLs included) with its value.
QString metadata(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0)
        return u"nothing"_s;
    QString text = u"mode %1 uid %2 gid %3 links %4"_s.arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'))
                       .arg(st.st_uid).arg(st.st_gid).arg(st.st_nlink);
    QByteArray list(65536, '\0');
    const ssize_t n = ::llistxattr(name.constData(), list.data(), size_t(list.size()));
    list.truncate(n > 0 ? qsizetype(n) : 0);
    QList<QByteArray> names = list.split('\0');
    std::sort(names.begin(), names.end());
    for (const QByteArray& attr : std::as_const(names)) {
        if (attr.isEmpty())
            continue;
        QByteArray value(65536, '\0');
        const ssize_t v = ::lgetxattr(name.constData(), attr.constData(), value.data(), size_t(value.size()));
        value.truncate(v > 0 ? qsizetype(v) : 0);
        text += u" %1=%2"_s.arg(QString::fromLatin1(attr), QString::fromLatin1(value.toHex()));
    }
    return text;
}

// The bytes of the default image with fields set, as the tool sets them.
QByteArray withFields(ArrayKind kind, const QStringList& assignments)
{
    ProgramRunOptions options;
    options.input = image(kind);
    const ProgramRun run = runProgram(QStringLiteral(ODU_SWITCH_TOOL), QStringList{u"set"_s, u"-"_s} + assignments,
                                      options);
    return run.out;
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
    void failuresAfterTheRenameAreTold_data();
    void failuresAfterTheRenameAreTold();
    void aWaitingSetSeesAllOrNothing_data();
    void aWaitingSetSeesAllOrNothing();
    void killedWritesLeaveNothing_data();
    void killedWritesLeaveNothing();
    void newFileIsFlushedBeforeItHasTheName_data();
    void newFileIsFlushedBeforeItHasTheName();
    void metadataIsKeptOrTheWriteRefused_data();
    void metadataIsKeptOrTheWriteRefused();
    void namesAreTakenExactly_data();
    void namesAreTakenExactly();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString& name) const { return m_dir->filePath(name); }
    // A VLAN array file that can be read but not replaced: on a read-only
    // file system (which even root cannot write), else in a folder without
    // write permission.
    QString unwritableVlanFile(ScratchFileSystem& scratch) const
    {
        QString file;
        if (scratch.mounted()) {
            file = scratch.filePath(u"second.bin"_s);
            writeBytes(file, image(ArrayKind::Vlan));
            if (!scratch.makeReadOnly())
                return {};
        } else {
            if (!QDir().mkdir(path(u"locked"_s)))
                return {};
            file = path(u"locked/second.bin"_s);
            writeBytes(file, image(ArrayKind::Vlan));
            if (!QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::ExeOwner))
                return {};
        }
        return file;
    }
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
    const QString second = unwritableVlanFile(scratch);
    QVERIFY(!second.isEmpty());
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

    // Trouble outweighs findings: the file that was read is still checked.
    const Run both = tool({u"check"_s, path(u"bad.bin"_s), path(u"missing.bin"_s)});
    QCOMPARE(both.code, 2);
    QVERIFY2(both.out.contains("refused: No VLAN to NMS port!"), both.out.constData());
    QVERIFY2(both.err.startsWith(u"odu-switch: "_s) && both.err.contains(u"missing.bin"_s), qPrintable(both.err));
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
    // As JSON refuses a key named twice: which value was meant is not guessed.
    QTest::newRow("one field twice") << QStringList{u"default_vid.nms=1"_s, u"default_vid.nms=2"_s}
                                     << u"default_vid.nms is given more than once"_s;
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
    QTest::newRow("misspelt key") << QByteArray(R"({"format":1,"kind":"qos","feilds":{"queue_weight.3":9}})")
                                  << "no key \"feilds\" in the format";
    QTest::newRow("kind in capitals") << QByteArray(R"({"format":1,"kind":"QOS"})")
                                      << "\"kind\" must be \"qos\" or \"vlan\"";
    QTest::newRow("blank as a string") << QByteArray(R"({"format":1,"kind":"qos","blank":"no"})")
                                       << "\"blank\" must be true or false";
    // Raw U+FEFF bytes open the key: a character of the key, not a mark to drop.
    QTest::newRow("key behind a U+FEFF") << QByteArray("{\"format\":1,\"\xEF\xBB\xBFkind\":\"qos\"}")
                                         << QString(u"no key \"\uFEFFkind\""_s);
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
    const QByteArray head = R"({"format":1,"kind":"qos","file":)";
    const auto nested = [&](int levels) { // the outer object is the first level
        return head + QByteArray(levels - 1, '[') + QByteArray(levels - 1, ']') + "}";
    };
    const auto sized = [&](qsizetype bytes) {
        return head + '"' + QByteArray(bytes - head.size() - 3, 'x') + "\"}";
    };
    // A number or a list where the format takes a string: read, then refused by the format.
    QTest::newRow("2^53") << head + "9007199254740992}" << u"\"file\" must be a string"_s;
    QTest::newRow("2^53 + 1") << head + "9007199254740993}" << u"a number larger than 2^53 at offset 32"_s;
    QTest::newRow("2^53 as a field's value: read, then out of the field's range")
        << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.3":9007199254740992}})")
        << u"field \"queue_weight.3\" takes 0 to 255"_s;
    QTest::newRow("a list of one array") << QByteArray(R"([{"format":1,"kind":"qos"}])") << QString();
    QTest::newRow("nested 64 levels") << nested(64) << u"\"file\" must be a string"_s;
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
    QTest::newRow("the digits a, f, A and F") << head + R"("file":"\u00af\u00AF\u00Fa"})" << QString();
    QTest::newRow("a digit past F") << head + R"("file":"\u00AG"})" << u"a \\u escape with fewer than four digits"_s;
    QTest::newRow("every escape, each last in its string")
        << head + R"("file":["\b","\f","\n","\r","\t","\"","\\","\/"]})" << u"\"file\" must be a string"_s;
    QTest::newRow("tab escapes around a value, which are trimmed")
        << head + R"("fields":{"ch1_scheduling":"\tStrict\t"}})" << QString();
    QTest::newRow("an escape as the last two bytes")
        << head + R"("file":"\n)" << u"a string without its closing quote at offset 35"_s;
    QTest::newRow("a backslash as the last byte") << head + R"("file":"\)" << u"a string without its closing quote at offset 33"_s;
    QTest::newRow("a surrogate pair") << head + R"("file":"\ud83d\ude00"})" << QString();
    QTest::newRow("half a surrogate pair") << head + R"("file":"\ud83dx"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate, then an escape of no low one")
        << head + R"("file":"\ud83d\u0041"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate, then another escape with four digits")
        << head + R"("file":"\ud83d\xde00"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("a high surrogate at the end") << head + R"("file":"\ud83d\)" << u"a \\u escape of half a character"_s;
    QTest::newRow("a lone low surrogate") << head + R"("file":"\ude00"})" << u"a \\u escape of half a character"_s;
    QTest::newRow("UTF-8") << head + "\"file\":\"gr\xc3\xbc\xc3\x9f\"}" << QString();
    QTest::newRow("Latin-1") << head + "\"file\":\"gr\xfc\xdf\"}" << u"a string that is not UTF-8"_s;
    QTest::newRow("DEL, the first byte past the controls") << head + "\"file\":\"\x7f\"}" << QString();
    QTest::newRow("0x1F, the last control character") << head + "\"file\":\"\x1f\"}"
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
    const QString second = unwritableVlanFile(scratch);
    QVERIFY(!second.isEmpty());
    const QString first = path(u"vlan.bin"_s);
    const QString third = path(u"third.bin"_s);
    writeBytes(third, image(ArrayKind::Vlan));
    const Run r = tool({u"set"_s, first, second, third, u"default_vid.nms=7"_s});
    QFile::setPermissions(path(u"locked"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(u"'%1' cannot be written"_s.arg(second)), qPrintable(r.err));
    QVERIFY2(r.err.contains(u"set: %1 failed; every file holds its old content again (%2 got it back)"_s.arg(second, first)),
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

// A failure after the new file took the name (the folder could not be
// flushed) is told as what it is: the file was replaced. set then restores
// it with the others and says so; it never claims that nothing changed.
void TestTool::failuresAfterTheRenameAreTold_data()
{
    QTest::addColumn<QStringList>("args");   // F1, F2 and OUT stand for files
    QTest::addColumn<int>("failedFsync");    // fails with EIO
    QTest::addColumn<QStringList>("said");   // in standard error
    QTest::addColumn<QString>("outcome");    // per F1, F2, OUT: o(ld), n(ew), -(none)
    const QString set = u"set"_s, nms = u"default_vid.nms=7"_s;
    // A replacement flushes the new file, then its folder.
    QTest::newRow("one file, its folder not flushed")
        << QStringList{set, u"F1"_s, nms} << 2
        << QStringList{u"'F1' was replaced, but its folder could not be flushed to disk: Input/output error"_s,
                       u"set: F1 failed; every file holds its old content again (F1 got it back)"_s}
        << u"oo-"_s;
    QTest::newRow("two files, the second's folder not flushed")
        << QStringList{set, u"F1"_s, u"F2"_s, nms} << 4
        << QStringList{u"'F2' was replaced, but its folder could not be flushed"_s,
                       u"set: F2 failed; every file holds its old content again (F1, F2 got it back)"_s}
        << u"oo-"_s;
    QTest::newRow("two files, the second not flushed")
        << QStringList{set, u"F1"_s, u"F2"_s, nms} << 3
        << QStringList{u"Writing 'F2' failed: Input/output error. The old file is unchanged."_s,
                       u"set: F2 failed; every file holds its old content again (F1 got it back)"_s}
        << u"oo-"_s;
    QTest::newRow("-o, its folder not flushed")
        << QStringList{set, u"F1"_s, nms, u"-o"_s, u"OUT"_s} << 2
        << QStringList{u"'OUT' was replaced, but its folder could not be flushed"_s} << u"o-n"_s;
}

void TestTool::failuresAfterTheRenameAreTold()
{
    QFETCH(QStringList, args);
    QFETCH(int, failedFsync);
    QFETCH(QStringList, said);
    QFETCH(QString, outcome);
    if (!haveFaultShim())
        QSKIP("needs the fault library (Linux)");
    const QStringList files{path(u"f1.bin"_s), path(u"f2.bin"_s), path(u"out.bin"_s)};
    const QStringList names{u"F1"_s, u"F2"_s, u"OUT"_s};
    writeBytes(files[0], image(ArrayKind::Vlan));
    writeBytes(files[1], image(ArrayKind::Vlan));
    for (int i = 0; i < 3; ++i) {
        args.replaceInStrings(names[i], files[i]);
        said.replaceInStrings(names[i], files[i]);
    }
    const Run r = faultyTool(args, {u"fsync"_s, failedFsync, EIO});
    QCOMPARE(r.code, 2);
    for (const QString& part : std::as_const(said))
        QVERIFY2(r.err.contains(part), qPrintable(u"missing: "_s + part + u"\n"_s + r.err));
    QVERIFY2(!r.err.contains(u"no file was changed"_s), qPrintable(r.err));
    const QByteArray changed = withFields(ArrayKind::Vlan, {u"default_vid.nms=7"_s});
    for (int i = 0; i < 3; ++i) {
        const QChar want = outcome.at(i);
        if (want == u'-')
            continue;
        QCOMPARE(fileBytes(files[i]).toHex(), (want == u'o' ? image(ArrayKind::Vlan) : changed).toHex());
    }
    QCOMPARE(entries(m_dir->path()).size(), outcome.endsWith(u'n') ? 5 : 4);
}

// A set that fails on its second file and restores the first holds the
// first file's lock until the restore is done: a set on that file started
// meanwhile waits, and then sees the files as they were before (its change
// is not undone by the restore).
void TestTool::aWaitingSetSeesAllOrNothing_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<int>("nth");
    QTest::newRow("the second file not flushed") << u"fsync"_s << 3;
    QTest::newRow("the second file not renamed") << u"renameat"_s << 2;
    QTest::newRow("the second file's folder not flushed") << u"fsync"_s << 4;
}

void TestTool::aWaitingSetSeesAllOrNothing()
{
    QFETCH(QString, call);
    QFETCH(int, nth);
    if (!haveFaultShim())
        QSKIP("needs the fault library (Linux)");
    const QString first = path(u"first.bin"_s), second = path(u"second.bin"_s), mark = path(u"reached"_s);
    writeBytes(first, image(ArrayKind::Vlan));
    writeBytes(second, image(ArrayKind::Vlan));
    // The failing call waits, so that the other set starts while the first
    // file holds the new values and is still to be restored.
    auto failing = startFaultyTool({u"set"_s, first, second, u"default_vid.nms=7"_s}, {call, nth, EIO, 1500, mark});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(mark), 20000);
    const Run waiting = tool({u"set"_s, first, u"default_vid.line2=5"_s});
    QVERIFY(failing->waitForFinished(20000));
    QCOMPARE(failing->exitCode(), 2);
    QCOMPARE(waiting.code, 0);
    QCOMPARE(fileBytes(first).toHex(), withFields(ArrayKind::Vlan, {u"default_vid.line2=5"_s}).toHex());
    QCOMPARE(fileBytes(second).toHex(), image(ArrayKind::Vlan).toHex());
}

// A tool killed while it writes leaves the old file and nothing else: the
// new file has no name until it is complete.
void TestTool::killedWritesLeaveNothing_data()
{
    QTest::addColumn<QStringList>("args"); // FILE: an existing file; NEW: a file to make
    QTest::newRow("set") << QStringList{u"set"_s, u"FILE"_s, u"default_vid.nms=7"_s};
    QTest::newRow("default -o, a new file") << QStringList{u"default"_s, u"vlan"_s, u"-o"_s, u"NEW"_s};
    QTest::newRow("encode -o, over a file") << QStringList{u"encode"_s, u"JSON"_s, u"-o"_s, u"FILE"_s};
}

void TestTool::killedWritesLeaveNothing()
{
    QFETCH(QStringList, args);
    if (!haveFaultShim())
        QSKIP("needs the fault library (Linux)");
    QTemporaryDir work;
    const QString file = work.filePath(u"unit.bin"_s), mark = path(u"reached"_s);
    writeBytes(file, image(ArrayKind::Vlan));
    writeBytes(path(u"in.json"_s), R"({"format":1,"kind":"vlan","fields":{"default_vid.nms":9}})");
    args.replaceInStrings(u"FILE"_s, file).replaceInStrings(u"NEW"_s, work.filePath(u"new.bin"_s))
        .replaceInStrings(u"JSON"_s, path(u"in.json"_s));
    // Stopped at the flush of the new file, its content all written.
    auto run = startFaultyTool(args, {u"fsync"_s, 1, 0, 30000, mark});
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(mark), 20000);
    run->kill();
    QVERIFY(run->waitForFinished(20000));
    QCOMPARE(entries(work.path()), QStringList{u"unit.bin"_s});
    QCOMPARE(fileBytes(file), image(ArrayKind::Vlan));
}

// The new file reaches the disk before it takes the name, and the folder
// after: the order of the calls, as the tool made them.
void TestTool::newFileIsFlushedBeforeItHasTheName_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file");
    const QString longName = QString(247, u'n') + u".bin"_s; // 251 bytes
    QTest::newRow("a new file") << QStringList{u"default"_s, u"qos"_s, u"-o"_s, u"new.bin"_s} << u"new.bin"_s;
    QTest::newRow("a replaced file") << QStringList{u"set"_s, u"qos.bin"_s, u"queue_weight.3=9"_s} << u"qos.bin"_s;
    QTest::newRow("a name of 251 bytes") << QStringList{u"default"_s, u"qos"_s, u"-o"_s, longName} << longName;
}

void TestTool::newFileIsFlushedBeforeItHasTheName()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    if (!haveFaultShim())
        QSKIP("needs the fault library (Linux)");
    QTemporaryDir traces;
    const QString trace = traces.filePath(u"trace"_s);
    for (QString& a : args)
        if (a == file)
            a = path(file);
    const Run r = faultyTool(args, {u"none"_s, 1, 0, 0, {}, trace});
    QCOMPARE(r.code, 0);
    const QStringList calls = QString::fromUtf8(fileBytes(trace)).split(u'\n', Qt::SkipEmptyParts);
    const qsizetype named = calls.indexOf(u"renameat "_s + file) >= 0 ? calls.indexOf(u"renameat "_s + file)
                                                                          : calls.indexOf(u"linkat "_s + file);
    QVERIFY2(named >= 0, qPrintable(calls.join(u'\n')));
    const qsizetype flushed = calls.indexOf(u"fsync %1"_s.arg(inode(path(file))));
    QVERIFY2(flushed >= 0 && flushed < named, qPrintable(calls.join(u'\n')));
    QVERIFY2(calls.indexOf(u"fsync %1"_s.arg(inode(m_dir->path())), named) > named, qPrintable(calls.join(u'\n')));
    QCOMPARE(entries(m_dir->path()).size(), file == u"qos.bin"_s ? 2 : 3);
}

// A replaced file keeps who may read and write it: its ACL, its extended
// attributes, its set-user-ID and set-group-ID bits; where the new file
// cannot get them, the old file stays, and the message says why. A file
// with several names is not parted from them.
void TestTool::metadataIsKeptOrTheWriteRefused_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("fault"); // call:errno, failing its first call
    QTest::addColumn<QString>("said");  // empty: the file is replaced
    QTest::newRow("ACL, attribute, group") << u"acl xattr"_s << QString() << QString();
    QTest::newRow("set-user-ID and set-group-ID") << u"setid"_s << QString() << QString();
    QTest::newRow("a default ACL in the folder, none on the file") << u"default-acl"_s << QString() << QString();
    QTest::newRow("attribute cannot be given")
        << u"xattr"_s << u"fsetxattr"_s << u"its extended attribute user.origin cannot be given to the new file"_s;
    QTest::newRow("ACL cannot be given")
        << u"acl"_s << u"fsetxattr"_s
        << u"its access control list (ACL) system.posix_acl_access cannot be given to the new file"_s;
    QTest::newRow("permissions cannot be given")
        << u"setid"_s << u"fchmod"_s << u"its permissions 6750 cannot be given to the new file"_s;
    QTest::newRow("second hard link") << u"link"_s << QString() << u"has 2 hard links"_s;
}

void TestTool::metadataIsKeptOrTheWriteRefused()
{
    QFETCH(QString, setup);
    QFETCH(QString, fault);
    QFETCH(QString, said);
    if (!fault.isEmpty() && !haveFaultShim())
        QSKIP("needs the fault library (Linux)");
    const QString file = path(u"vlan.bin"_s);
    const QByteArray name = QFile::encodeName(file);
    QCOMPARE(::chmod(name.constData(), 0640), 0);
    if (setup.contains(u"acl"_s) && !setup.contains(u"default"_s)) {
        const QByteArray acl = aclGranting(1, 6, 4, 6, 0); // user 1 may read and write
        if (::setxattr(name.constData(), "system.posix_acl_access", acl.constData(), size_t(acl.size()), 0) != 0)
            QSKIP("the file system of the temporary folder has no ACLs");
    }
    if (setup.contains(u"xattr"_s)
        && ::setxattr(name.constData(), "user.origin", "unit 7", 6, 0) != 0)
        QSKIP("the file system of the temporary folder has no user attributes");
    if (setup == u"setid"_s) {
        if (::geteuid() == 0)
            QCOMPARE(::chown(name.constData(), 4242, 4343), 0);
        QCOMPARE(::chmod(name.constData(), 06750), 0);
    }
    if (setup == u"default-acl"_s) {
        const QByteArray acl = aclGranting(1, 7, 5, 7, 5);
        if (::setxattr(QFile::encodeName(m_dir->path()).constData(), "system.posix_acl_default", acl.constData(),
                       size_t(acl.size()), 0) != 0)
            QSKIP("the file system of the temporary folder has no ACLs");
    }
    if (setup == u"link"_s)
        QVERIFY(::link(name.constData(), QFile::encodeName(path(u"other-name.bin"_s)).constData()) == 0);
    const QString was = metadata(file);
    const ino_t inodeWas = inode(file);
    const QStringList entriesWere = entries(m_dir->path());

    const QStringList args{u"set"_s, file, u"default_vid.nms=7"_s};
    const Run r = fault.isEmpty() ? tool(args) : faultyTool(args, {fault, 1, EPERM});
    QCOMPARE(metadata(file), was);
    QCOMPARE(entries(m_dir->path()), entriesWere);
    if (said.isEmpty()) {
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(fileBytes(file).toHex(), withFields(ArrayKind::Vlan, {u"default_vid.nms=7"_s}).toHex());
        return;
    }
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(said), qPrintable(r.err));
    QCOMPARE(fileBytes(file), image(ArrayKind::Vlan));
    QCOMPARE(inode(file), inodeWas);
}

// A name is used byte for byte or refused: a name that is not UTF-8 reaches
// the tool with U+FFFD in place of its bytes, and would name another file.
// Names up to 255 bytes work (the temporary name never overflows).
void TestTool::namesAreTakenExactly_data()
{
    QTest::addColumn<QString>("script");     // for sh, in the test folder; $0 is the tool
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("changed");    // a file whose queue_weight.3 is now 9
    QTest::addColumn<QStringList>("entries"); // the folder afterwards
    const QStringList start{u"qos.bin"_s, u"vlan.bin"_s};
    const QString notUtf8 = u"holds bytes that are not UTF-8 (shown as U+FFFD)"_s;
    // (A listing of the folder leaves out a name that is not UTF-8.)
    const QString replacement = u"\uFFFD.bin"_s; // the name the byte \xff would be taken for
    QTest::newRow("new file, Latin-1 name")
        << uR"sh("$0" default qos -o "$(printf 'caf\351.bin')")sh"_s << 2 << notUtf8 << QString() << start;
    QTest::newRow("show, a U+FFFD file beside")
        << uR"sh(cp qos.bin "$(printf '\357\277\275.bin')" && cp qos.bin "$(printf '\377.bin')" && "$0" show "$(printf '\377.bin')")sh"_s
        << 2 << notUtf8 << QString() << QStringList{u"qos.bin"_s, u"vlan.bin"_s, replacement};
    QTest::newRow("set, a name not UTF-8")
        << uR"sh(cp qos.bin "$(printf '\377.bin')" && "$0" set "$(printf '\377.bin')" queue_weight.3=9
                 code=$?; cmp -s qos.bin "$(printf '\377.bin')" && exit $code; exit 99)sh"_s
        << 2 << notUtf8 << QString() << start;
    for (const int length : {248, 255}) {
        const QString name = QString(length - 4, u'x') + u".bin"_s;
        QTest::addRow("name of %d bytes", length)
            << u"\"$0\" default qos -o %1 && \"$0\" set %1 queue_weight.3=9"_s.arg(name) << 0 << QString() << name
            << QStringList{u"qos.bin"_s, u"vlan.bin"_s, name};
    }
    QTest::newRow("./a=b.bin") << uR"sh(cp qos.bin a=b.bin && "$0" set ./a=b.bin queue_weight.3=9)sh"_s << 0 << QString()
                               << u"a=b.bin"_s << QStringList{u"a=b.bin"_s, u"qos.bin"_s, u"vlan.bin"_s};
}

void TestTool::namesAreTakenExactly()
{
    QFETCH(QString, script);
    QFETCH(int, code);
    QFETCH(QString, said);
    QFETCH(QString, changed);
    QFETCH(QStringList, entries);
    ProgramRunOptions options;
    options.workingDir = m_dir->path();
    const ProgramRun r = runProgram(u"/bin/sh"_s, {u"-c"_s, script, QStringLiteral(ODU_SWITCH_TOOL)}, options);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(r.exitCode == code, qPrintable(err));
    QVERIFY2(err.contains(said), qPrintable(err));
    if (!changed.isEmpty())
        QCOMPARE(int(uchar(fileBytes(path(changed)).at(37))), 9);
    const QStringList after = ::entries(m_dir->path());
    // Names that are not UTF-8 are gone only by their bytes.
    runProgram(u"/bin/sh"_s, {u"-c"_s, u"rm -f -- \"$(printf '\\377.bin')\""_s}, options);
    QCOMPARE(after, entries);
}

QTEST_GUILESS_MAIN(TestTool)
#include "tst_tool.moc"
