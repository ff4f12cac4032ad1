#include "host/core/DecodedView.h"

#include "host/core/UnitState.h"

#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <array>

namespace {

const QString kArrayGroup = QStringLiteral("Array");

QString onOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString hex2(unsigned v)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')).toUpper();
}

QList<DecodedField> wrongSize(const QByteArray& cfg, ArrayKind kind)
{
    return {{kArrayGroup, QStringLiteral("Size"),
             QStringLiteral("%1 bytes; a %2 array has %3").arg(cfg.size()).arg(arrayName(kind)).arg(arrayBytes(kind))}};
}

const std::array<QString, 3> kQosPortNames = {
    QStringLiteral("LINE 2"), QStringLiteral("LINE 3"), QStringLiteral("LINE 4")};

// tPortik order.
const std::array<QString, 6> kVlanPortNames = {
    QStringLiteral("LINE 2"), QStringLiteral("LINE 3"), QStringLiteral("LINE 4"),
    QStringLiteral("Modem 1"), QStringLiteral("Modem 2"), QStringLiteral("NMS")};

const std::array<QString, 4> kMembershipNames = {
    QStringLiteral("unmodified"), QStringLiteral("untagged"), QStringLiteral("tagged"),
    QStringLiteral("not a member")};

} // namespace

QString numberRuns(const QList<int>& numbers)
{
    if (numbers.isEmpty())
        return QStringLiteral("none");
    QStringList parts;
    qsizetype i = 0;
    while (i < numbers.size()) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        if (j - i >= 2) {
            parts.append(QStringLiteral("%1–%2").arg(numbers.at(i)).arg(numbers.at(j)));
        } else {
            for (qsizetype k = i; k <= j; ++k)
                parts.append(QString::number(numbers.at(k)));
        }
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

QList<DecodedField> decodeQos(const QByteArray& cfg)
{
    if (cfg.size() != kQosConfigSize)
        return wrongSize(cfg, ArrayKind::Qos);

    // The module works on a host buffer; give it a private copy.
    QByteArray bytes(cfg.constData(), cfg.size());
    auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
    const QosConfigArray qos(raw);

    QList<DecodedField> out;
    auto add = [&out](const QString& group, const QString& name, const QString& value) {
        out.append({group, name, value});
    };

    add(kArrayGroup, QStringLiteral("State"),
        QosConfigArray::isBlank(raw)
            ? QStringLiteral("unconfigured (36 or more bytes are 0xFF): the dialog replaces it by "
                             "the default image")
            : QStringLiteral("configured"));

    for (int p = 0; p < kQosPortCount; ++p)
        add(QStringLiteral("Port priority"), kQosPortNames[p],
            QString::number(qos.portPriority(QosPort(p))));

    for (int p = 0; p < kQosPortCount; ++p) {
        const unsigned mode = qos.priorityResolution(QosPort(p));
        add(QStringLiteral("Priority resolution"), kQosPortNames[p],
            mode < unsigned(kResolutionModeCount)
                ? QString::fromUtf8(kResolutionModeNames[mode].data(), qsizetype(kResolutionModeNames[mode].size()))
                : QStringLiteral("%1 (no mode)").arg(mode));
    }

    for (int p = 0; p < kQosPortCount; ++p) {
        QStringList entries;
        for (int i = 0; i < kRemapEntries; ++i)
            entries.append(QStringLiteral("%1→%2").arg(i).arg(qos.remapEntry(QosPort(p), i)));
        add(QStringLiteral("Tag priority remapping"), kQosPortNames[p], entries.join(QLatin1Char(' ')));
    }

    for (int q = 0; q < kQueueCount; ++q) {
        QList<int> priorities;
        for (int n = 0; n < kVlanQueueEntries; ++n) {
            if (qos.vlanQueue(n) == unsigned(q))
                priorities.append(n);
        }
        add(QStringLiteral("802.1Q priority to queue"), QStringLiteral("Queue %1").arg(q),
            QStringLiteral("priorities %1").arg(numberRuns(priorities)));
    }

    for (int q = 0; q < kQueueCount; ++q) {
        QList<int> dscp;
        for (int n = 0; n < kDscpQueueEntries; ++n) {
            if (qos.dscpQueue(n) == unsigned(q))
                dscp.append(n);
        }
        add(QStringLiteral("DSCP to queue"), QStringLiteral("Queue %1").arg(q),
            QStringLiteral("DSCP %1").arg(numberRuns(dscp)));
    }

    unsigned sum = 0;
    for (int q = 0; q < kQueueCount; ++q) {
        sum += qos.queueWeight(q);
        add(QStringLiteral("Queue weights"), QStringLiteral("Queue %1").arg(q),
            QString::number(qos.queueWeight(q)));
    }
    add(QStringLiteral("Queue weights"), QStringLiteral("Sum"),
        QStringLiteral("%1%2").arg(sum).arg(sum > unsigned(kQueueWeightSum)
                                                ? QStringLiteral(" (more than %1: the dialog would refuse it)").arg(kQueueWeightSum)
                                                : QString()));

    const auto scheduling = [](bool strict) {
        return strict ? QStringLiteral("strict") : QStringLiteral("weighted round robin");
    };
    add(QStringLiteral("Switches"), QStringLiteral("QoS"),
        qos.switchBit(qos_main_switch) ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    add(QStringLiteral("Switches"), QStringLiteral("Radio channel 1 scheduling"),
        scheduling(qos.switchBit(ch1_scheduling)));
    add(QStringLiteral("Switches"), QStringLiteral("Radio channel 2 scheduling"),
        scheduling(qos.switchBit(ch2_scheduling)));

    add(QStringLiteral("Reserved"), QStringLiteral("Byte 39"), hex2(uchar(cfg.at(39))));
    return out;
}

QList<DecodedField> decodeVlan(const QByteArray& cfg)
{
    if (cfg.size() != kVlanConfigSize)
        return wrongSize(cfg, ArrayKind::Vlan);

    QByteArray bytes(cfg.constData(), cfg.size());
    auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
    const VlanConfigArray vlan(raw);

    QList<DecodedField> out;
    auto add = [&out](const QString& group, const QString& name, const QString& value) {
        out.append({group, name, value});
    };

    add(kArrayGroup, QStringLiteral("State"),
        VlanConfigArray::isBlank(raw)
            ? QStringLiteral("unconfigured (41 or more bytes are 0xFF): the dialog replaces it by "
                             "the default image")
            : QStringLiteral("configured"));

    const QString general = QStringLiteral("General");
    const unsigned mode = vlan.get_vlan_mode();
    static const std::array<QString, 3> modes = {
        QStringLiteral("Disable"), QStringLiteral("Single Tag"), QStringLiteral("Double Tag")};
    add(general, QStringLiteral("VLAN mode"),
        mode < modes.size() ? modes[mode] : QStringLiteral("%1 (no mode)").arg(mode));
    static const std::array<QString, 4> etherTypes = {
        QStringLiteral("0x88A8"), QStringLiteral("0x8100"), QStringLiteral("0x9100"), QStringLiteral("0x9200")};
    add(general, QStringLiteral("Provider EtherType"), etherTypes[vlan.get_provEth_type() & 3]);
    add(general, QStringLiteral("Remove one provider tag only"), onOff(vlan.get_remove_1PT() != 0));
    add(general, QStringLiteral("Array version"), QString::number(uchar(cfg.at(0)) & 7));

    const QString misc = QStringLiteral("Miscellaneous");
    add(misc, QStringLiteral("Disable Learning"), onOff(vlan.disableLearning()));
    add(misc, QStringLiteral("BPDU priority Override"), onOff(vlan.bpduPriorityOverride()));
    add(misc, QStringLiteral("LACP priority Override"), onOff(vlan.lacpPriorityOverride()));

    for (int p = port_line2; p <= port_nms; ++p)
        add(QStringLiteral("Default VID"), kVlanPortNames[p], QString::number(vlan.get_Default_VID(tPortik(p))));
    for (int p = port_line2; p <= port_modem2; ++p)
        add(QStringLiteral("Force Default VID"), kVlanPortNames[p], onOff(vlan.get_force_DefVID(tPortik(p)) != 0));
    for (int p = port_line2; p <= port_modem2; ++p)
        add(QStringLiteral("Ingress policy"), kVlanPortNames[p],
            vlan.get_ingress_policy(tPortik(p)) ? QStringLiteral("Tag only") : QStringLiteral("Admit All"));
    for (int p = port_line2; p <= port_modem2; ++p)
        add(QStringLiteral("Double tag mode"), kVlanPortNames[p],
            vlan.get_doubleTag_mode(tPortik(p)) ? QStringLiteral("Provider") : QStringLiteral("Customer"));

    const QString statics = QStringLiteral("Static VLANs");
    const unsigned stored = vlan.get_pocet_vlan();
    const int entries = vlan.storedEntryCount();
    add(statics, QStringLiteral("Entries"),
        int(stored) == entries
            ? QString::number(stored)
            : QStringLiteral("%1 stored; the array has room for %2, which are shown").arg(stored).arg(entries));
    for (int i = 0; i < entries; ++i) {
        const StaticVlanEntry e = vlan.readSlot(i);
        QStringList ports;
        for (int p = port_line2; p <= port_modem2; ++p)
            ports.append(QStringLiteral("%1 %2").arg(kVlanPortNames[p], kMembershipNames[e.codes[p] & 3]));
        ports.append(e.codes[port_nms] == not_a_member ? QStringLiteral("NMS not a member")
                                                       : QStringLiteral("NMS member"));
        add(statics, QStringLiteral("Entry %1").arg(i + 1),
            QStringLiteral("VID %1: %2").arg(e.vid).arg(ports.join(QStringLiteral(", "))));
    }

    // CheckBox7..CheckBox18 order: Modem 1 to LINE 2..4, Modem 2 to LINE 2..4,
    // NMS to LINE 2..4, Modem 1, Modem 2, then "Separate User Ports".
    const PortForwarding fwd = vlan.portForwarding();
    const QString forwarding = QStringLiteral("Port forwarding");
    const auto targets = [&fwd](int first, std::initializer_list<int> ports) {
        QStringList on;
        int box = first;
        for (int p : ports) {
            if (fwd[size_t(box++)])
                on.append(kVlanPortNames[size_t(p)]);
        }
        return on.isEmpty() ? QStringLiteral("none") : on.join(QStringLiteral(", "));
    };
    add(forwarding, QStringLiteral("Modem 1 with"), targets(0, {port_line2, port_line3, port_line4}));
    add(forwarding, QStringLiteral("Modem 2 with"), targets(3, {port_line2, port_line3, port_line4}));
    add(forwarding, QStringLiteral("NMS with"),
        targets(6, {port_line2, port_line3, port_line4, port_modem1, port_modem2}));
    add(forwarding, QStringLiteral("Separate User Ports"), onOff(fwd[11]));
    return out;
}

QString decodedValue(const QList<DecodedField>& fields, const QString& group, const QString& name)
{
    for (const DecodedField& f : fields) {
        if (f.group == group && f.name == name)
            return f.value;
    }
    return {};
}

QString decodedText(const QList<DecodedField>& fields)
{
    QString text;
    for (const DecodedField& f : fields)
        text += QStringLiteral("%1 / %2: %3\n").arg(f.group, f.name, f.value);
    return text;
}
