// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/DecodedView.h"

#include "host/app/UnitState.h"

#include "core/FieldCatalogue.h"
#include "core/QosConfig.h"
#include "core/VlanConfig.h"

namespace {

const QString kArrayGroup = QStringLiteral("Array");

QList<DecodedField> wrongSize(const QByteArray& cfg, ArrayKind kind)
{
    return {{kArrayGroup, QStringLiteral("Size"),
             QStringLiteral("%1 bytes; a %2 array has %3").arg(cfg.size()).arg(arrayName(kind)).arg(arrayBytes(kind))}};
}

// The slot of a static VLAN field (1..22), or 0 for any other field.
int slotOf(const FieldSpec& f)
{
    if (!f.name.startsWith(QLatin1String("static_vlan.")))
        return 0;
    return f.name.section(QLatin1Char('.'), 1, 1).toInt();
}

// Every field in the catalogue's words. Static VLAN slots after the stored
// count are left out unless they hold bits.
QList<DecodedField> decodeFields(ArrayKind kind, const QByteArray& cfg, const QString& blankRule)
{
    const auto* raw = reinterpret_cast<const unsigned char*>(cfg.constData());
    const bool blank = kind == ArrayKind::Qos ? QosConfigArray::isBlank(raw) : VlanConfigArray::isBlank(raw);
    QList<DecodedField> out;
    out.append({kArrayGroup, QStringLiteral("State"),
                blank ? QStringLiteral("unconfigured (%1): the dialog replaces it by the default image").arg(blankRule)
                      : QStringLiteral("configured")});

    QList<bool> slotShown(kMaxStaticVlans + 1, false);
    if (kind == ArrayKind::Vlan) {
        const int entries = VlanConfigArray(const_cast<unsigned char*>(raw)).storedEntryCount();
        for (const FieldSpec& f : fieldCatalogue(kind))
            if (const int slot = slotOf(f); slot > 0 && (slot <= entries || readField(f, raw) != 0))
                slotShown[slot] = true;
    }
    for (const FieldSpec& f : fieldCatalogue(kind)) {
        if (const int slot = slotOf(f); slot > 0 && !slotShown[slot])
            continue;
        out.append({f.group, f.label, fieldValueText(f, readField(f, raw))});
    }
    return out;
}

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
    QList<DecodedField> out =
        decodeFields(ArrayKind::Qos, cfg, QStringLiteral("%1 or more bytes are 0xFF").arg(kQosBlankThreshold));

    // What reaches each queue, and whether the dialog would keep the weights.
    QByteArray bytes(cfg);
    const QosConfigArray qos(reinterpret_cast<unsigned char*>(bytes.data()));
    const QString summary = QStringLiteral("Queue summary");
    unsigned sum = 0;
    for (int q = 0; q < kQueueCount; ++q) {
        QList<int> priorities, dscp;
        for (int n = 0; n < kVlanQueueEntries; ++n)
            if (qos.vlanQueue(n) == unsigned(q))
                priorities.append(n);
        for (int n = 0; n < kDscpQueueEntries; ++n)
            if (qos.dscpQueue(n) == unsigned(q))
                dscp.append(n);
        sum += qos.queueWeight(q);
        out.append({summary, QStringLiteral("Queue %1").arg(q),
                    QStringLiteral("802.1Q %1; DSCP %2").arg(numberRuns(priorities), numberRuns(dscp))});
    }
    out.append({summary, QStringLiteral("Weight sum"),
                QStringLiteral("%1%2").arg(sum).arg(sum > unsigned(kQueueWeightSum)
                                                        ? QStringLiteral(" (more than %1: the dialog would refuse it)").arg(kQueueWeightSum)
                                                        : QString())});
    return out;
}

QList<DecodedField> decodeVlan(const QByteArray& cfg)
{
    if (cfg.size() != kVlanConfigSize)
        return wrongSize(cfg, ArrayKind::Vlan);
    return decodeFields(ArrayKind::Vlan, cfg, QStringLiteral("%1 or more bytes are 0xFF").arg(kVlanBlankThreshold));
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
