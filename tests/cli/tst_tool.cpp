// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The odu-switch tool through its executable: outputs, exit codes, refused
// files, and files written whole or not at all.

#include "core/FieldCatalogue.h"
#include "core/QosConfig.h"
#include "core/StaticVlanTable.h"
#include "core/VlanConfig.h"
#include "tests/support/ArrayBytes.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QString err;
};

Run tool(const QStringList& args, const QByteArray& input = QByteArray(), const QString& dir = QString())
{
    ProgramRunOptions options;
    options.input = input;
    options.workingDir = dir;
    options.timeoutMs = 60000;
    const ProgramRun run = runProgram(QStringLiteral(ODU_SWITCH_TOOL), args, options);
    return {run.exitCode, run.out, QString::fromUtf8(run.err)};
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
    void defaultImages();

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

QTEST_GUILESS_MAIN(TestTool)
#include "tst_tool.moc"
