// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include "core/ArrayJson.h"

#include <QJsonArray>
#include <QJsonDocument>

int diffCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.size() != 2) {
        printToolMessage(QStringLiteral("diff: give two files, the old and the new array"));
        return ToolTrouble;
    }
    const Result<LoadedArray> before = loadArray(files.at(0), options.kind);
    if (!before)
        printToolMessage(before.error());
    const Result<LoadedArray> after = loadArray(files.at(1), options.kind);
    if (!after)
        printToolMessage(after.error());
    if (!before || !after)
        return ToolTrouble;
    if (before->kind != after->kind) {
        printToolMessage(QStringLiteral("diff: %1 is a %2 array and %3 a %4 array")
                      .arg(before->path, kindName(before->kind), after->path, kindName(after->kind)));
        return ToolTrouble;
    }

    const auto* oldRaw = reinterpret_cast<const unsigned char*>(before->bytes.constData());
    const auto* newRaw = reinterpret_cast<const unsigned char*>(after->bytes.constData());
    QJsonArray changes;
    QString text;
    for (const FieldSpec& f : fieldCatalogue(before->kind)) {
        const unsigned was = readField(f, oldRaw);
        const unsigned is = readField(f, newRaw);
        if (was == is)
            continue;
        if (options.json) {
            QJsonObject change;
            change.insert(QStringLiteral("field"), f.name);
            change.insert(QStringLiteral("group"), f.group);
            change.insert(QStringLiteral("label"), f.label);
            change.insert(QStringLiteral("old"), fieldValueToJson(f, was));
            change.insert(QStringLiteral("new"), fieldValueToJson(f, is));
            changes.append(change);
        } else {
            text += QStringLiteral("%1 (%2 / %3): %4 -> %5\n")
                        .arg(f.name, f.group, f.label, fieldValueText(f, was), fieldValueText(f, is));
        }
    }

    if (options.json) {
        QJsonObject object;
        object.insert(QStringLiteral("format"), kArrayJsonFormat);
        object.insert(QStringLiteral("kind"), arrayKindKey(before->kind));
        object.insert(QStringLiteral("old"), before->path);
        object.insert(QStringLiteral("new"), after->path);
        object.insert(QStringLiteral("changes"), changes);
        toolOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
        return changes.isEmpty() ? ToolDone : ToolFindings;
    }
    if (!text.isEmpty())
        toolOut(QStringLiteral("--- %1\n+++ %2\n").arg(before->path, after->path) + text);
    return text.isEmpty() ? ToolDone : ToolFindings;
}
