// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/FieldCatalogue.h"

#include "core/CaptionTables.h"
#include "core/PortCaptions.h"
#include "core/QosConfig.h"
#include "core/QosLayout.h"
#include "core/StaticVlanTable.h"
#include "core/UnitConstants.h"
#include "core/VlanConfig.h"
#include "core/VlanLayout.h"

#include <QHash>

#include <array>
#include <span>
#include <utility>

namespace {

// ---- Building the lists ------------------------------------------------------

class FieldList
{
public:
    explicit FieldList(QString group = QString()) : m_group(std::move(group)) {}

    void group(const QString& g) { m_group = g; }

    void field(const QString& name, const QString& label, FieldKind kind, int bit, int width,
               QStringList names = {})
    {
        FieldSpec f;
        f.name = name;
        f.group = m_group;
        f.label = label;
        f.kind = kind;
        f.bit = bit;
        f.width = width;
        f.valueNames = std::move(names);
        m_fields.append(f);
    }

    template <typename Field>
    void field(const QString& name, const QString& label, FieldKind kind, QStringList names = {})
    {
        field(name, label, kind, int(Field::byte * 8 + Field::bit), int(Field::width), std::move(names));
    }

    void reserved(int byte, unsigned mask)
    {
        if (mask == 0)
            return;
        FieldSpec f;
        f.name = QStringLiteral("reserved.byte%1").arg(byte);
        f.group = QStringLiteral("Reserved");
        f.label = QStringLiteral("Byte %1").arg(byte);
        f.kind = FieldKind::Reserved;
        f.byte = byte;
        f.mask = mask;
        m_fields.append(f);
    }

    QList<FieldSpec> take() { return std::move(m_fields); }

private:
    QString m_group;
    QList<FieldSpec> m_fields;
};

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// Groups, labels and value names are the dialogs' own English texts, read
// from the caption tables by the control that shows them, so that a field
// is called what the dialog calls it. Only names no control shows are
// written here.
QString caption(std::span<const CaptionRow> rows, const char* control)
{
    const QString text = CaptionTables::plainEnglish(rows, control);
    Q_ASSERT_X(!text.isEmpty(), "field catalogue", control);
    return text;
}
QString qosCaption(const char* control)
{
    return caption(CaptionTables::qos(), control);
}
QString vlanCaption(const char* control)
{
    return caption(CaptionTables::vlan(), control);
}

// Port keys, in tPortik order.
const std::array<const char*, 6> kPortKeys = {"line2", "line3", "line4", "modem1", "modem2", "nms"};

QStringList membershipNames()
{
    QStringList names;
    for (const VlanText& text : kMembershipTextKeys)
        names.append(utf8(text.english).trimmed());
    return names;
}

// A packed table entry's place: entry i of a table that starts at byte Base.
template <typename Table>
int entryBit(int i, int stride)
{
    return int(Table::base * 8) + i * stride;
}

QList<FieldSpec> buildQos()
{
    using namespace QosLayout;
    FieldList f(qosCaption("Label6"));
    f.field<PortPriorityLine2>(utf8("port_priority.line2"), portCaption(0), FieldKind::Number);
    f.field<PortPriorityLine3>(utf8("port_priority.line3"), portCaption(1), FieldKind::Number);
    f.field<PortPriorityLine4>(utf8("port_priority.line4"), portCaption(2), FieldKind::Number);

    QStringList modes;
    for (std::string_view name : kResolutionModeNames)
        modes.append(QString::fromUtf8(name.data(), qsizetype(name.size())));
    f.group(qosCaption("Label7"));
    f.field<ResolutionLine2>(utf8("priority_resolution.line2"), portCaption(0), FieldKind::Choice, modes);
    f.field<ResolutionLine3>(utf8("priority_resolution.line3"), portCaption(1), FieldKind::Choice, modes);
    f.field<ResolutionLine4>(utf8("priority_resolution.line4"), portCaption(2), FieldKind::Choice, modes);

    const int remapBase[3] = {int(VlanRemapLine2::base), int(VlanRemapLine3::base), int(VlanRemapLine4::base)};
    for (int p = 0; p < kQosPortCount; ++p) {
        f.group(qosCaption("Label8") + QLatin1Char(' ') + portCaption(p));
        for (int i = 0; i < kRemapEntries; ++i)
            f.field(QStringLiteral("remap.%1.%2").arg(utf8(kPortKeys[p])).arg(i),
                    QStringLiteral("%1 %2").arg(qosCaption("StringGrid3 row labels")).arg(i),
                    FieldKind::Number, remapBase[p] * 8 + i * 4, 3);
    }

    // A queue mapping table is named by its two column headings.
    const auto mapping = [](const char* grid) {
        const QByteArray from = QByteArray(grid) + " heading 0";
        const QByteArray to = QByteArray(grid) + " heading 1";
        return std::pair{qosCaption(from.constData()), qosCaption(to.constData())};
    };
    const auto [vlanPriority, vlanQueue] = mapping("StringGrid1");
    f.group(vlanPriority + utf8(" to ") + vlanQueue);
    for (int i = 0; i < kVlanQueueEntries; ++i)
        f.field(QStringLiteral("vlan_queue.%1").arg(i), QStringLiteral("%1 %2").arg(vlanPriority).arg(i),
                FieldKind::Number, entryBit<VlanQueueMapp>(i, 2), 2);
    const auto [dscpPriority, dscpQueue] = mapping("StringGrid2");
    f.group(dscpPriority + utf8(" to ") + dscpQueue);
    for (int i = 0; i < kDscpQueueEntries; ++i)
        f.field(QStringLiteral("dscp_queue.%1").arg(i), QStringLiteral("%1 %2").arg(dscpPriority).arg(i),
                FieldKind::Number, entryBit<DscpQueueMappLow>(i, 2), 2);

    f.group(qosCaption("GroupBox2"));
    f.field<QueueWeight0>(utf8("queue_weight.0"), qosCaption("Label2"), FieldKind::Number);
    f.field<QueueWeight1>(utf8("queue_weight.1"), qosCaption("Label3"), FieldKind::Number);
    f.field<QueueWeight2>(utf8("queue_weight.2"), qosCaption("Label4"), FieldKind::Number);
    f.field<QueueWeight3>(utf8("queue_weight.3"), qosCaption("Label5"), FieldKind::Number);

    const QStringList scheduling{qosCaption("RadioGroup2 item 0"), qosCaption("RadioGroup2 item 1")};
    f.group(qosCaption("PageControl1 tab 0"));
    f.field<QosMainSwitch>(utf8("qos_main_switch"), qosCaption("RadioGroup1"), FieldKind::Choice,
                           {qosCaption("RadioGroup1 item 0"), qosCaption("RadioGroup1 item 1")});
    f.group(qosCaption("PageControl1 tab 2"));
    f.field<Ch1Scheduling>(utf8("ch1_scheduling"), qosCaption("RadioGroup2"), FieldKind::Choice, scheduling);
    f.field<Ch2Scheduling>(utf8("ch2_scheduling"), qosCaption("RadioGroup3"), FieldKind::Choice, scheduling);

    f.reserved(ReservedByte0::byte, ReservedByte0::mask);
    f.reserved(ReservedByte1::byte, ReservedByte1::mask);
    f.reserved(ReservedByte2::byte, ReservedByte2::mask);
    f.reserved(ReservedByte3::byte, ReservedByte3::mask);
    // Bits 3 and 7 of every byte of the remapping tables belong to no entry.
    for (int b = int(VlanRemapLine2::base); b < int(VlanRemapLine4::base + VlanRemapLine4::bytes); ++b)
        f.reserved(b, 0x88);
    f.reserved(ReservedByte38::byte, ReservedByte38::mask);
    f.reserved(ReservedByte39::byte, ReservedByte39::mask);
    return f.take();
}

QList<FieldSpec> buildVlan()
{
    using namespace VlanLayout;
    FieldList f(vlanCaption("RadioGroup1"));
    f.field<VlanModeField>(utf8("vlan_mode"), vlanCaption("RadioGroup1"), FieldKind::Choice,
                           {vlanCaption("RadioGroup1 item 0"), vlanCaption("RadioGroup1 item 1"),
                            vlanCaption("RadioGroup1 item 2")});

    f.group(vlanCaption("PageControl1 tab 0"));
    f.field<ProvEthType>(utf8("provider_ether_type"), vlanCaption("Label13"), FieldKind::Choice,
                         {utf8("0x88A8"), utf8("0x8100"), utf8("0x9100"), utf8("0x9200")});
    f.field<Remove1PT>(utf8("remove_1pt"), vlanCaption("Label2"), FieldKind::Flag);

    f.group(vlanCaption("Label9"));
    for (int p = port_line2; p <= port_nms; ++p) {
        const int pair = kFirstDefaultVidByte + 3 * (p / 2);
        f.field(QStringLiteral("default_vid.%1").arg(utf8(kPortKeys[p])), portCaption(p),
                FieldKind::Number, pair * 8 + (p % 2) * 12, 12);
    }

    using PortField = std::array<int, 5>; // bit of each port, LINE 2 .. Modem 2
    const auto bitOf = [](auto field) { return int(decltype(field)::byte * 8 + decltype(field)::bit); };
    const PortField force = {bitOf(ForceLine2{}), bitOf(ForceLine3{}), bitOf(ForceLine4{}),
                             bitOf(ForceModem1{}), bitOf(ForceModem2{})};
    const PortField ingress = {bitOf(IngressLine2{}), bitOf(IngressLine3{}), bitOf(IngressLine4{}),
                               bitOf(IngressModem1{}), bitOf(IngressModem2{})};
    const PortField doubleTag = {bitOf(DoubleTagLine2{}), bitOf(DoubleTagLine3{}), bitOf(DoubleTagLine4{}),
                                 bitOf(DoubleTagModem1{}), bitOf(DoubleTagModem2{})};
    f.group(vlanCaption("Label10"));
    for (int p = port_line2; p <= port_modem2; ++p)
        f.field(QStringLiteral("force_default_vid.%1").arg(utf8(kPortKeys[p])), portCaption(p),
                FieldKind::Flag, force[p], 1);
    const QStringList policies{vlanCaption("ComboBox2 item 0"), vlanCaption("ComboBox2 item 1")};
    f.group(vlanCaption("Label11"));
    for (int p = port_line2; p <= port_modem2; ++p)
        f.field(QStringLiteral("ingress_policy.%1").arg(utf8(kPortKeys[p])), portCaption(p),
                FieldKind::Choice, ingress[p], 1, policies);
    const QStringList tagModes{vlanCaption("ComboBox8 item 0"), vlanCaption("ComboBox8 item 1")};
    f.group(vlanCaption("Label12"));
    for (int p = port_line2; p <= port_modem2; ++p)
        f.field(QStringLiteral("double_tag_mode.%1").arg(utf8(kPortKeys[p])), portCaption(p),
                FieldKind::Choice, doubleTag[p], 1, tagModes);

    QString entries = vlanCaption("Label1"); // "Static VLAN Entries:"
    if (entries.endsWith(QLatin1Char(':')))
        entries.chop(1);
    f.group(entries);
    f.field<PocetVlanLow>(utf8("static_vlan_count"), utf8("Entries"), FieldKind::Number);
    f.field<PocetVlanHigh>(utf8("static_vlan_count_high"), utf8("Entries, high byte"), FieldKind::Number);
    const std::array<int, 6> slotCode = {bitOf(SlotLine2{}), bitOf(SlotLine3{}), bitOf(SlotLine4{}),
                                         bitOf(SlotModem1{}), bitOf(SlotModem2{}), bitOf(SlotNms{})};
    for (int slot = 0; slot < kMaxStaticVlans; ++slot) {
        const int base = (kFirstSlotByte + kSlotSize * slot) * 8;
        const QString entry = QStringLiteral("static_vlan.%1.").arg(slot + 1);
        const QString caption = QStringLiteral("Entry %1 ").arg(slot + 1);
        f.field(entry + utf8("vid"), caption + utf8("VID"), FieldKind::Number, base, 12);
        for (int p = port_line2; p <= port_nms; ++p)
            f.field(entry + utf8(kPortKeys[p]), caption + portCaption(p), FieldKind::Choice,
                    base + slotCode[p], 2, membershipNames());
    }

    f.group(vlanCaption("PageControl1 tab 2"));
    const std::array<int, kPortForwardingBoxes> fwd = {
        bitOf(FwdModem1Line2{}), bitOf(FwdModem1Line3{}), bitOf(FwdModem1Line4{}),
        bitOf(FwdModem2Line2{}), bitOf(FwdModem2Line3{}), bitOf(FwdModem2Line4{}),
        bitOf(FwdNmsLine2{}),    bitOf(FwdNmsLine3{}),    bitOf(FwdNmsLine4{}),
        bitOf(FwdNmsModem1{}),   bitOf(FwdNmsModem2{}),   bitOf(SeparateUserPorts{})};
    const std::array<std::pair<int, int>, 11> matrix = {{
        {port_modem1, port_line2}, {port_modem1, port_line3}, {port_modem1, port_line4},
        {port_modem2, port_line2}, {port_modem2, port_line3}, {port_modem2, port_line4},
        {port_nms, port_line2}, {port_nms, port_line3}, {port_nms, port_line4},
        {port_nms, port_modem1}, {port_nms, port_modem2}}};
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        const auto [from, to] = matrix[i];
        f.field(QStringLiteral("port_forwarding.%1_%2").arg(utf8(kPortKeys[from]), utf8(kPortKeys[to])),
                QStringLiteral("%1 to %2").arg(portCaption(from), portCaption(to)),
                FieldKind::Flag, fwd[i], 1);
    }
    f.field(utf8("separate_user_ports"), vlanCaption("Label22"), FieldKind::Flag, fwd[kFwdSeparateUserPorts], 1);

    f.group(vlanCaption("PageControl1 tab 3"));
    // No control shows the learning switch.
    f.field<DisableLearning>(utf8("disable_learning"), utf8("Disable Learning"), FieldKind::Flag);
    f.field<BpduPriorityOverride>(utf8("bpdu_priority_override"), vlanCaption("CheckBox20"), FieldKind::Flag);
    f.field<LacpPriorityOverride>(utf8("lacp_priority_override"), vlanCaption("CheckBox21"), FieldKind::Flag);
    f.field<CfgPoleVersion>(utf8("version"), utf8("Array version"), FieldKind::Number);

    f.reserved(0, kReservedByte0Mask);
    return f.take();
}

} // namespace

// ---- Kinds ---------------------------------------------------------------------

QString arrayKindKey(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("qos") : QStringLiteral("vlan");
}

std::optional<ArrayKind> arrayKindFromKey(const QString& key)
{
    if (key.compare(QLatin1String("qos"), Qt::CaseInsensitive) == 0)
        return ArrayKind::Qos;
    if (key.compare(QLatin1String("vlan"), Qt::CaseInsensitive) == 0)
        return ArrayKind::Vlan;
    return std::nullopt;
}

std::optional<ArrayKind> arrayKindForSize(qsizetype bytes)
{
    if (bytes == kQosConfigSize)
        return ArrayKind::Qos;
    if (bytes == kVlanConfigSize)
        return ArrayKind::Vlan;
    return std::nullopt;
}

// ---- Fields ----------------------------------------------------------------------

unsigned FieldSpec::maximum() const
{
    return kind == FieldKind::Reserved ? mask : (1u << width) - 1u;
}

bool FieldSpec::accepts(unsigned value) const
{
    return kind == FieldKind::Reserved ? (value & ~mask) == 0 : value <= maximum();
}

const QList<FieldSpec>& fieldCatalogue(ArrayKind kind)
{
    static const QList<FieldSpec> qos = buildQos();
    static const QList<FieldSpec> vlan = buildVlan();
    return kind == ArrayKind::Qos ? qos : vlan;
}

const FieldSpec* findField(ArrayKind kind, const QString& name)
{
    const auto index = [](ArrayKind k) {
        QHash<QString, const FieldSpec*> byName;
        for (const FieldSpec& f : fieldCatalogue(k))
            byName.insert(f.name, &f);
        return byName;
    };
    static const QHash<QString, const FieldSpec*> qos = index(ArrayKind::Qos);
    static const QHash<QString, const FieldSpec*> vlan = index(ArrayKind::Vlan);
    return (kind == ArrayKind::Qos ? qos : vlan).value(name, nullptr);
}

unsigned readField(const FieldSpec& field, const unsigned char* cfg)
{
    if (field.kind == FieldKind::Reserved)
        return cfg[field.byte] & field.mask;
    unsigned value = 0;
    for (int i = 0; i < field.width; ++i) {
        const int b = field.bit + i;
        value |= unsigned((cfg[b / 8] >> (b % 8)) & 1u) << i;
    }
    return value;
}

void writeField(const FieldSpec& field, unsigned char* cfg, unsigned value)
{
    if (field.kind == FieldKind::Reserved) {
        cfg[field.byte] = (unsigned char)((cfg[field.byte] & ~field.mask) | (value & field.mask));
        return;
    }
    for (int i = 0; i < field.width; ++i) {
        const int b = field.bit + i;
        const unsigned char bitMask = (unsigned char)(1u << (b % 8));
        if ((value >> i) & 1u)
            cfg[b / 8] |= bitMask;
        else
            cfg[b / 8] &= (unsigned char)~bitMask;
    }
}

QString fieldValueText(const FieldSpec& field, unsigned value)
{
    switch (field.kind) {
    case FieldKind::Flag:
        return value ? QStringLiteral("on") : QStringLiteral("off");
    case FieldKind::Choice:
        if (value < unsigned(field.valueNames.size()))
            return field.valueNames.at(qsizetype(value));
        return QString::number(value);
    case FieldKind::Reserved:
        return QStringLiteral("0x") + QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    case FieldKind::Number:
        break;
    }
    return QString::number(value);
}

namespace {

// Without the blanks (spaces and tabs) around it, and nothing else.
QStringView withoutBlanks(QStringView t)
{
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    while (!t.isEmpty() && blank(t.front()))
        t = t.sliced(1);
    while (!t.isEmpty() && blank(t.back()))
        t.chop(1);
    return t;
}

} // namespace

std::optional<unsigned> fieldNumberFromText(QStringView text)
{
    const QStringView t = withoutBlanks(text);
    unsigned base = 10;
    qsizetype i = 0;
    if (t.size() > 2 && t[0] == QLatin1Char('0') && (t[1] == QLatin1Char('x') || t[1] == QLatin1Char('X'))) {
        base = 16;
        i = 2;
    }
    if (i == t.size())
        return std::nullopt;
    quint64 value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return unsigned(value);
}

std::optional<unsigned> parseFieldValue(const FieldSpec& field, const QString& text)
{
    const QStringView t = withoutBlanks(text);
    if (field.kind == FieldKind::Choice) {
        for (qsizetype i = 0; i < field.valueNames.size(); ++i)
            if (t.compare(field.valueNames.at(i), Qt::CaseInsensitive) == 0)
                return unsigned(i);
    }
    if (field.kind == FieldKind::Flag) {
        if (t.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return 1u;
        if (t.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0
            || t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return 0u;
    }
    const std::optional<unsigned> value = fieldNumberFromText(t);
    if (!value || !field.accepts(*value))
        return std::nullopt;
    return value;
}

QString fieldValueRange(const FieldSpec& field)
{
    switch (field.kind) {
    case FieldKind::Flag:
        return QStringLiteral("off or on");
    case FieldKind::Reserved:
        return QStringLiteral("a number using only the bits %1").arg(fieldValueText(field, field.mask));
    case FieldKind::Choice:
        return QStringLiteral("%1, or 0 to %2").arg(field.valueNames.join(QStringLiteral(", "))).arg(field.maximum());
    case FieldKind::Number:
        break;
    }
    return QStringLiteral("0 to %1").arg(field.maximum());
}
