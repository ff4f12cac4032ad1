// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include "core/ArrayJson.h"
#include "core/VlanConfig.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

bool isBlank(const LoadedArray& a)
{
    const auto* raw = reinterpret_cast<const unsigned char*>(a.bytes.constData());
    return a.kind == ArrayKind::Qos ? QosConfigArray::isBlank(raw) : VlanConfigArray::isBlank(raw);
}

// The slot number of a static VLAN field (1..22), or 0 for other fields.
int slotOf(const FieldSpec& f)
{
    if (!f.name.startsWith(QLatin1String("static_vlan.")))
        return 0;
    return f.name.section(QLatin1Char('.'), 1, 1).toInt();
}

// Static VLAN slots after the stored count hold bytes that no dialog shows;
// they are listed only when some of their bits are set.
QList<bool> visibleSlots(const LoadedArray& a)
{
    QList<bool> visible(kMaxStaticVlans + 1, false);
    if (a.kind != ArrayKind::Vlan)
        return visible;
    const auto* raw = reinterpret_cast<const unsigned char*>(a.bytes.constData());
    const int entries = VlanConfigArray(const_cast<unsigned char*>(raw)).storedEntryCount();
    for (const FieldSpec& f : fieldCatalogue(a.kind)) {
        const int slot = slotOf(f);
        if (slot > 0 && (slot <= entries || readField(f, raw) != 0))
            visible[slot] = true;
    }
    return visible;
}

QString showText(const LoadedArray& a)
{
    QString out = QStringLiteral("%1: %2 configuration array, %3 bytes\n")
                      .arg(a.path, kindName(a.kind)).arg(a.bytes.size());
    if (isBlank(a))
        out += QStringLiteral("  Never configured: a dialog replaces it by the default image when it opens.\n");

    const auto* raw = reinterpret_cast<const unsigned char*>(a.bytes.constData());
    const QList<bool> visible = visibleSlots(a);
    QString group;
    for (const FieldSpec& f : fieldCatalogue(a.kind)) {
        if (slotOf(f) > 0 && !visible[slotOf(f)])
            continue;
        if (f.group != group) {
            group = f.group;
            out += QStringLiteral("\n%1\n").arg(group);
        }
        out += QStringLiteral("  %1 %2 %3\n")
                   .arg(f.label, -32)
                   .arg(fieldValueText(f, readField(f, raw)), -22)
                   .arg(f.name);
    }
    return out;
}

} // namespace

int showCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.isEmpty()) {
        printToolMessage(QStringLiteral("show: no file given"));
        return ToolTrouble;
    }
    int code = ToolDone;
    QJsonArray all;
    bool first = true;
    for (const QString& path : files) {
        const Result<LoadedArray> a = loadArray(path, options.kind);
        if (!a) {
            printToolMessage(a.error());
            code = ToolTrouble;
            continue;
        }
        if (options.json) {
            QJsonObject object = arrayToJson(a->kind, a->bytes);
            object.insert(QStringLiteral("file"), a->path);
            all.append(object);
        } else {
            toolOut((first ? QString() : QStringLiteral("\n")) + showText(*a));
            first = false;
        }
    }
    if (options.json) {
        // One file gives one object, so that its output can be encoded again.
        const QJsonDocument doc = files.size() == 1 && all.size() == 1 ? QJsonDocument(all.at(0).toObject())
                                                                       : QJsonDocument(all);
        if (!all.isEmpty() || files.size() != 1)
            toolOut(QString::fromUtf8(doc.toJson(QJsonDocument::Indented)));
    }
    return code;
}
