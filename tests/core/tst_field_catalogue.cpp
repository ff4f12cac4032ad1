// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The field catalogue: it covers every bit of both arrays exactly once, reads
// what the array modules read, writes only its own bits, reads typed values,
// the JSON form rebuilds any array byte for byte, and fields are named with
// the texts the dialogs show.

#include "core/ArrayJson.h"
#include "core/CaptionTables.h"
#include "core/FieldCatalogue.h"
#include "core/QosConfig.h"
#include "core/StrictJson.h"
#include "core/VlanConfig.h"

#include <QJsonDocument>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <random>
#include <vector>

Q_DECLARE_METATYPE(ArrayKind)

using namespace Qt::StringLiterals;

namespace {

QByteArray randomArray(std::mt19937& rng, int size)
{
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = char(rng() & 0xFF);
    return bytes;
}

unsigned char* raw(QByteArray& bytes)
{
    return reinterpret_cast<unsigned char*>(bytes.data());
}

// The array's bits that a field occupies, as a byte mask per byte.
std::vector<unsigned char> footprint(const FieldSpec& f, int size)
{
    std::vector<unsigned char> mask(std::size_t(size), 0);
    if (f.kind == FieldKind::Reserved) {
        mask[std::size_t(f.byte)] = (unsigned char)f.mask;
        return mask;
    }
    for (int i = 0; i < f.width; ++i)
        mask[std::size_t((f.bit + i) / 8)] |= (unsigned char)(1u << ((f.bit + i) % 8));
    return mask;
}

} // namespace

class TestFieldCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyBitOnceAndNamesUnique_data();
    void everyBitOnceAndNamesUnique();
    void readsAgreeWithTheArrayModules();
    void writeChangesOnlyTheFieldsBits_data();
    void writeChangesOnlyTheFieldsBits();
    void typedValues_data();
    void typedValues();
    void jsonRoundTripIsByteExact_data();
    void jsonRoundTripIsByteExact();
    void jsonRefusesWhatNoArrayHolds_data();
    void jsonRefusesWhatNoArrayHolds();
    void namesAreTheDialogsCaptions_data();
    void namesAreTheDialogsCaptions();
    void portFieldsAreLabelledByTheirPort_data();
    void portFieldsAreLabelledByTheirPort();
    void strictJsonSizeLimit_data();
    void strictJsonSizeLimit();
};

void TestFieldCatalogue::everyBitOnceAndNamesUnique_data()
{
    QTest::addColumn<ArrayKind>("kind");
    QTest::newRow("QoS") << ArrayKind::Qos;
    QTest::newRow("VLAN") << ArrayKind::Vlan;
}

void TestFieldCatalogue::everyBitOnceAndNamesUnique()
{
    QFETCH(ArrayKind, kind);
    const int size = arrayBytes(kind);
    std::vector<int> owners(std::size_t(size) * 8, 0);
    QSet<QString> names;
    for (const FieldSpec& f : fieldCatalogue(kind)) {
        QVERIFY2(!names.contains(f.name), qPrintable(f.name));
        names.insert(f.name);
        QVERIFY(!f.group.isEmpty() && !f.label.isEmpty());
        QCOMPARE(findField(kind, f.name), &f);
        const std::vector<unsigned char> mask = footprint(f, size);
        // A field holds at least one bit: no empty reserved byte is listed.
        QVERIFY2(std::any_of(mask.begin(), mask.end(), [](unsigned char m) { return m != 0; }), qPrintable(f.name));
        for (int b = 0; b < size * 8; ++b)
            if (mask[std::size_t(b / 8)] & (1u << (b % 8)))
                ++owners[std::size_t(b)];
    }
    for (int b = 0; b < size * 8; ++b)
        QVERIFY2(owners[std::size_t(b)] == 1,
                 qPrintable(QStringLiteral("bit %1 of byte %2 has %3 fields").arg(b % 8).arg(b / 8).arg(owners[std::size_t(b)])));
}

void TestFieldCatalogue::readsAgreeWithTheArrayModules()
{
    std::mt19937 rng(20261209);
    const auto value = [](ArrayKind kind, const QString& name, const unsigned char* cfg) {
        const FieldSpec* f = findField(kind, name);
        return f ? readField(*f, cfg) : 0xFFFFFFFFu;
    };
    const char* const qosPorts[] = {"line2", "line3", "line4"};
    const char* const vlanPorts[] = {"line2", "line3", "line4", "modem1", "modem2", "nms"};
    for (int round = 0; round < 200; ++round) {
        QByteArray qosBytes = randomArray(rng, kQosConfigSize);
        const QosConfigArray qos(raw(qosBytes));
        const unsigned char* q = raw(qosBytes);
        for (int p = 0; p < kQosPortCount; ++p) {
            const QString port = QString::fromLatin1(qosPorts[p]);
            QCOMPARE(value(ArrayKind::Qos, u"port_priority."_s + port, q), qos.portPriority(QosPort(p)));
            QCOMPARE(value(ArrayKind::Qos, u"priority_resolution."_s + port, q), qos.priorityResolution(QosPort(p)));
            for (int i = 0; i < kRemapEntries; ++i)
                QCOMPARE(value(ArrayKind::Qos, QStringLiteral("remap.%1.%2").arg(port).arg(i), q), qos.remapEntry(QosPort(p), i));
        }
        for (int i = 0; i < kVlanQueueEntries; ++i)
            QCOMPARE(value(ArrayKind::Qos, QStringLiteral("vlan_queue.%1").arg(i), q), qos.vlanQueue(i));
        for (int i = 0; i < kDscpQueueEntries; ++i)
            QCOMPARE(value(ArrayKind::Qos, QStringLiteral("dscp_queue.%1").arg(i), q), qos.dscpQueue(i));
        for (int i = 0; i < kQueueCount; ++i)
            QCOMPARE(value(ArrayKind::Qos, QStringLiteral("queue_weight.%1").arg(i), q), qos.queueWeight(i));
        QCOMPARE(value(ArrayKind::Qos, u"qos_main_switch"_s, q), unsigned(qos.switchBit(qos_main_switch)));
        QCOMPARE(value(ArrayKind::Qos, u"ch1_scheduling"_s, q), unsigned(qos.switchBit(ch1_scheduling)));
        QCOMPARE(value(ArrayKind::Qos, u"ch2_scheduling"_s, q), unsigned(qos.switchBit(ch2_scheduling)));

        QByteArray vlanBytes = randomArray(rng, kVlanConfigSize);
        const VlanConfigArray vlan(raw(vlanBytes));
        const unsigned char* v = raw(vlanBytes);
        QCOMPARE(value(ArrayKind::Vlan, u"vlan_mode"_s, v), unsigned(vlan.get_vlan_mode()));
        QCOMPARE(value(ArrayKind::Vlan, u"provider_ether_type"_s, v), unsigned(vlan.get_provEth_type()));
        QCOMPARE(value(ArrayKind::Vlan, u"remove_1pt"_s, v), unsigned(vlan.get_remove_1PT()));
        QCOMPARE(value(ArrayKind::Vlan, u"static_vlan_count"_s, v), unsigned(vlan.get_pocet_vlan()));
        QCOMPARE(value(ArrayKind::Vlan, u"disable_learning"_s, v), unsigned(vlan.disableLearning()));
        QCOMPARE(value(ArrayKind::Vlan, u"bpdu_priority_override"_s, v), unsigned(vlan.bpduPriorityOverride()));
        QCOMPARE(value(ArrayKind::Vlan, u"lacp_priority_override"_s, v), unsigned(vlan.lacpPriorityOverride()));
        for (int p = port_line2; p <= port_nms; ++p) {
            const QString port = QString::fromLatin1(vlanPorts[p]);
            QCOMPARE(value(ArrayKind::Vlan, u"default_vid."_s + port, v), unsigned(vlan.get_Default_VID(tPortik(p))));
            if (p == port_nms)
                continue;
            QCOMPARE(value(ArrayKind::Vlan, u"force_default_vid."_s + port, v), unsigned(vlan.get_force_DefVID(tPortik(p))));
            QCOMPARE(value(ArrayKind::Vlan, u"ingress_policy."_s + port, v), unsigned(vlan.get_ingress_policy(tPortik(p))));
            QCOMPARE(value(ArrayKind::Vlan, u"double_tag_mode."_s + port, v), unsigned(vlan.get_doubleTag_mode(tPortik(p))));
        }
        const PortForwarding fwd = vlan.portForwarding();
        const char* const fwdNames[] = {"modem1_line2", "modem1_line3", "modem1_line4", "modem2_line2",
                                        "modem2_line3", "modem2_line4", "nms_line2",    "nms_line3",
                                        "nms_line4",    "nms_modem1",   "nms_modem2"};
        for (int i = kFwdModem1Line2; i <= kFwdNmsModem2; ++i)
            QCOMPARE(value(ArrayKind::Vlan, u"port_forwarding."_s + QString::fromLatin1(fwdNames[i]), v), unsigned(fwd[std::size_t(i)]));
        QCOMPARE(value(ArrayKind::Vlan, u"separate_user_ports"_s, v), unsigned(fwd[kFwdSeparateUserPorts]));
        for (int slot = 0; slot < kMaxStaticVlans; ++slot) {
            const StaticVlanEntry e = vlan.readSlot(slot);
            const QString prefix = QStringLiteral("static_vlan.%1.").arg(slot + 1);
            QCOMPARE(value(ArrayKind::Vlan, prefix + u"vid"_s, v), unsigned(e.vid));
            for (int p = port_line2; p <= port_modem2; ++p)
                QCOMPARE(value(ArrayKind::Vlan, prefix + QString::fromLatin1(vlanPorts[p]), v), unsigned(e.codes[std::size_t(p)]));
            // The module reads any NMS code but 3 as a member; the catalogue keeps the raw code.
            const unsigned nms = value(ArrayKind::Vlan, prefix + u"nms"_s, v);
            QCOMPARE(nms == unsigned(not_a_member), e.codes[port_nms] == not_a_member);
        }
    }
}

void TestFieldCatalogue::writeChangesOnlyTheFieldsBits_data()
{
    everyBitOnceAndNamesUnique_data();
}

void TestFieldCatalogue::writeChangesOnlyTheFieldsBits()
{
    QFETCH(ArrayKind, kind);
    std::mt19937 rng(7);
    const int size = arrayBytes(kind);
    for (const FieldSpec& f : fieldCatalogue(kind)) {
        const std::vector<unsigned char> mask = footprint(f, size);
        for (int round = 0; round < 4; ++round) {
            QByteArray bytes = randomArray(rng, size);
            const QByteArray before = bytes;
            const unsigned v = f.kind == FieldKind::Reserved ? (rng() & f.mask) : rng() % (f.maximum() + 1);
            writeField(f, raw(bytes), v);
            QCOMPARE(readField(f, raw(bytes)), v);
            for (int b = 0; b < size; ++b)
                QVERIFY2(((uchar(bytes[b]) ^ uchar(before[b])) & ~mask[std::size_t(b)] & 0xFF) == 0, qPrintable(f.name));
        }
    }
}

void TestFieldCatalogue::typedValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: refused

    QTest::newRow("item name") << "vlan_mode" << "Single Tag" << 1;
    QTest::newRow("item name in another case") << "vlan_mode" << "double tag" << 2;
    QTest::newRow("unnamed item by number") << "vlan_mode" << "3" << 3;
    QTest::newRow("past the field") << "vlan_mode" << "4" << -1;
    QTest::newRow("unknown name") << "vlan_mode" << "Triple Tag" << -1;
    QTest::newRow("ether type by caption") << "provider_ether_type" << "0x8100" << 1;
    QTest::newRow("flag on") << "remove_1pt" << "on" << 1;
    QTest::newRow("flag false") << "remove_1pt" << "false" << 0;
    QTest::newRow("flag 2") << "remove_1pt" << "2" << -1;
    QTest::newRow("VID limit") << "default_vid.nms" << "4095" << 4095;
    QTest::newRow("VID past 12 bits") << "default_vid.nms" << "4096" << -1;
    QTest::newRow("hexadecimal") << "default_vid.nms" << "0xFFE" << 4094;
    QTest::newRow("negative") << "default_vid.nms" << "-1" << -1;
    QTest::newRow("hexadecimal after 0X, digits in lower case") << "default_vid.nms" << "0Xabf" << 0xABF;
    QTest::newRow("hexadecimal digits a, f, A and F") << "default_vid.nms" << "0xaF" << 0xAF;
    QTest::newRow("0x without digits") << "default_vid.nms" << "0x" << -1;
    QTest::newRow("a capital hexadecimal digit in a decimal") << "default_vid.nms" << "12A" << -1;
    QTest::newRow("2^32 does not wrap to 0") << "default_vid.nms" << "4294967296" << -1;
    QTest::newRow("2^32 + 10 does not wrap to 10") << "default_vid.nms" << "4294967306" << -1;
    QTest::newRow("trailing text") << "default_vid.nms" << "12a" << -1;
    QTest::newRow("empty") << "default_vid.nms" << "" << -1;
    QTest::newRow("membership") << "static_vlan.3.modem1" << "Not a member" << 3;
    QTest::newRow("reserved within its bits") << "reserved.byte0" << "0x88" << 0x88;
    QTest::newRow("reserved outside its bits") << "reserved.byte0" << "0x01" << -1;
}

void TestFieldCatalogue::typedValues()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(int, value);
    const FieldSpec* f = findField(ArrayKind::Vlan, field);
    QVERIFY(f);
    const std::optional<unsigned> parsed = parseFieldValue(*f, text);
    QCOMPARE(parsed ? int(*parsed) : -1, value);
    if (parsed) // what is shown is read back as the same value
        QCOMPARE(parseFieldValue(*f, fieldValueText(*f, *parsed)), parsed);
}

void TestFieldCatalogue::jsonRoundTripIsByteExact_data()
{
    everyBitOnceAndNamesUnique_data();
}

void TestFieldCatalogue::jsonRoundTripIsByteExact()
{
    QFETCH(ArrayKind, kind);
    std::mt19937 rng(kind == ArrayKind::Qos ? 40 : 82);
    const int size = arrayBytes(kind);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = randomArray(rng, size);
        // Some arrays mostly 0xFF or 0x00, so that blank and empty ones come up too.
        if (round % 5 == 0)
            for (char& c : bytes)
                if (rng() % 8)
                    c = round % 10 == 0 ? char(0xFF) : '\0';
        // Through text, as a pipe between two commands carries it.
        const QByteArray text = QJsonDocument(arrayToJson(kind, bytes)).toJson();
        const Result<QByteArray> back = arrayFromJson(QJsonDocument::fromJson(text).object());
        QVERIFY2(back.ok(), qPrintable(back.ok() ? QString() : back.error()));
        QVERIFY2(back.value() == bytes, qPrintable(QStringLiteral("round %1: %2 became %3")
                                                     .arg(round).arg(QString::fromLatin1(bytes.toHex()), QString::fromLatin1(back.value().toHex()))));
    }
    // An array one byte short or long has no JSON form (and a short one is
    // not read past its end: the sanitizer build would say so).
    for (const int wrong : {0, size - 1, size + 1})
        QVERIFY2(arrayToJson(kind, QByteArray(wrong, '\0')).isEmpty(), qPrintable(QString::number(wrong)));
}

void TestFieldCatalogue::namesAreTheDialogsCaptions_data()
{
    QTest::addColumn<ArrayKind>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("part"); // -2: group, -1: label, n >= 0: name of value n
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    const auto q = ArrayKind::Qos;
    const auto v = ArrayKind::Vlan;
    QTest::newRow("VLAN value name") << v << "ingress_policy.line3" << 0 << "ComboBox2 item 0" << "Admit All";
    QTest::newRow("VLAN value name, second") << v << "double_tag_mode.modem1" << 1 << "ComboBox8 item 1"
                                             << "Provider";
    QTest::newRow("accelerator dropped") << v << "vlan_mode" << 1 << "RadioGroup1 item 1" << "Single Tag";
    QTest::newRow("VLAN group") << v << "force_default_vid.line2" << -2 << "Label10" << "Force Default VID";
    QTest::newRow("page as group") << v << "port_forwarding.nms_line2" << -2 << "PageControl1 tab 2"
                                   << "Port Based VLAN";
    QTest::newRow("port label") << v << "default_vid.modem2" << -1 << "Label21" << "Modem 2";
    QTest::newRow("VLAN label") << v << "lacp_priority_override" << -1 << "CheckBox21" << "LACP priority Override";
    QTest::newRow("QoS accelerator inside") << q << "ch2_scheduling" << -1 << "RadioGroup3"
                                            << "Channel 2 - Queue scheduling";
    QTest::newRow("QoS value name") << q << "ch1_scheduling" << 0 << "RadioGroup2 item 0" << "Weighted round robin";
    QTest::newRow("QoS group") << q << "queue_weight.2" << -2 << "GroupBox2" << "Priority Queue Weights";
    QTest::newRow("QoS label") << q << "queue_weight.2" << -1 << "Label4" << "Priority Queue 2 Weight";
    QTest::newRow("QoS switch value") << q << "qos_main_switch" << 1 << "RadioGroup1 item 1" << "Enabled";
}

// A field's group, label and value names are what the control that shows
// them says in English, read from the dialogs' caption tables.
void TestFieldCatalogue::namesAreTheDialogsCaptions()
{
    QFETCH(ArrayKind, kind);
    QFETCH(QString, field);
    QFETCH(int, part);
    QFETCH(QString, control);
    QFETCH(QString, text);
    const FieldSpec* f = findField(kind, field);
    QVERIFY(f);
    const QString name = part == -2 ? f->group : part == -1 ? f->label : f->valueNames.value(part);
    QCOMPARE(name, text);
    const auto rows = kind == ArrayKind::Qos ? CaptionTables::qos() : CaptionTables::vlan();
    QCOMPARE(CaptionTables::plainEnglish(rows, control.toStdString()), text);
}

void TestFieldCatalogue::jsonRefusesWhatNoArrayHolds_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("error");
    QTest::newRow("no format") << QByteArray(R"({"kind":"vlan"})") << "\"format\" must be 1";
    QTest::newRow("later format") << QByteArray(R"({"format":2,"kind":"vlan"})") << "\"format\" must be 1";
    QTest::newRow("no kind") << QByteArray(R"({"format":1})") << "\"kind\" must be \"qos\" or \"vlan\"";
    QTest::newRow("size of the other kind") << QByteArray(R"({"format":1,"kind":"vlan","size":40})")
                                            << "\"size\" of a vlan array must be 82";
    QTest::newRow("field of the other kind") << QByteArray(R"({"format":1,"kind":"vlan","fields":{"qos_main_switch":"Enabled"}})")
                                             << "no field \"qos_main_switch\" in a vlan array";
    QTest::newRow("value too large") << QByteArray(R"({"format":1,"kind":"qos","fields":{"port_priority.line2":8}})")
                                     << "field \"port_priority.line2\" takes 0 to 7";
    QTest::newRow("fraction") << QByteArray(R"({"format":1,"kind":"qos","fields":{"queue_weight.0":1.5}})")
                              << "field \"queue_weight.0\" takes 0 to 255";
    QTest::newRow("fields that are no object") << QByteArray(R"({"format":1,"kind":"qos","fields":5})")
                                               << "\"fields\" must be an object";
    QTest::newRow("format as a string") << QByteArray(R"({"format":"1","kind":"qos"})") << "\"format\" must be 1";
    QTest::newRow("reserved bits outside the mask, as a number")
        << QByteArray(R"({"format":1,"kind":"vlan","fields":{"reserved.byte0":1}})")
        << "field \"reserved.byte0\" takes a number using only the bits 0x88";
    QTest::newRow("flag as number") << QByteArray(R"({"format":1,"kind":"vlan","fields":{"vlan_mode":true}})")
                                    << "field \"vlan_mode\" takes Disable, Single Tag, Double Tag, or 0 to 3";
}

void TestFieldCatalogue::jsonRefusesWhatNoArrayHolds()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, error);
    const Result<QByteArray> result = arrayFromJson(QJsonDocument::fromJson(json).object());
    QVERIFY(!result.ok());
    QCOMPARE(result.error(), error);
}

// Every field of one port, in either array and in every group (the first
// port of a group to its last), carries that port's caption as its label.
void TestFieldCatalogue::portFieldsAreLabelledByTheirPort_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fields"); // how many fields end with the suffix
    QTest::newRow("LINE 2") << u".line2"_s << u"LINE 2"_s << 28;
    QTest::newRow("LINE 3") << u".line3"_s << u"LINE 3"_s << 28;
    QTest::newRow("LINE 4") << u".line4"_s << u"LINE 4"_s << 28;
    QTest::newRow("Modem 1") << u".modem1"_s << u"Modem 1"_s << 26;
    QTest::newRow("Modem 2") << u".modem2"_s << u"Modem 2"_s << 26;
    QTest::newRow("NMS") << u".nms"_s << u"NMS"_s << 23;
}

void TestFieldCatalogue::portFieldsAreLabelledByTheirPort()
{
    QFETCH(QString, suffix);
    QFETCH(QString, caption);
    QFETCH(int, fields);
    int seen = 0;
    for (ArrayKind kind : {ArrayKind::Qos, ArrayKind::Vlan})
        for (const FieldSpec& f : fieldCatalogue(kind))
            if (f.name.endsWith(suffix)) {
                // A static VLAN entry's fields say the entry first: "Entry 3 LINE 2".
                QVERIFY2(f.label == caption || (f.name.startsWith(u"static_vlan."_s) && f.label.endsWith(u' ' + caption)),
                         qPrintable(f.name + u": "_s + f.label));
                ++seen;
            }
    QCOMPARE(seen, fields);
}

// The JSON reader takes texts up to its limit, whoever reads the file.
void TestFieldCatalogue::strictJsonSizeLimit_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<QString>("error");
    QTest::newRow("at the limit") << kStrictJsonSizeLimit << QString();
    QTest::newRow("one byte past") << kStrictJsonSizeLimit + 1 << u"longer than 4194304 bytes"_s;
}

void TestFieldCatalogue::strictJsonSizeLimit()
{
    QFETCH(qsizetype, size);
    QFETCH(QString, error);
    QByteArray text = R"({"format":1})";
    text.append(QByteArray(size - text.size(), ' ')); // blanks after the value are allowed
    const StrictJson doc = parseStrictJson(text);
    QCOMPARE(doc.ok() ? QString() : doc.error().message, error);
}

QTEST_GUILESS_MAIN(TestFieldCatalogue)
#include "tst_field_catalogue.moc"
