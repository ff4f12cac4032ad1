// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include "core/ArrayJson.h"
#include "core/CatalogueFile.h"
#include "core/IniFile.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

int checkCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.isEmpty()) {
        printToolMessage(QStringLiteral("check: no file given"));
        return ToolTrouble;
    }
    std::unique_ptr<TIniFile> catalogue;
    if (!options.catalogue.isEmpty()) {
        // A catalogue named on the command line must be there: a typing
        // error would otherwise give English messages without a word.
        const CatalogueFile file = readCatalogueFile(options.catalogue);
        if (!file) {
            printToolMessage(file.error().message);
            return ToolTrouble;
        }
        catalogue = std::make_unique<TIniFile>(options.catalogue);
    }

    bool trouble = false;
    bool findings = false;
    QJsonArray results;
    QString text;
    for (const QString& path : files) {
        const Result<LoadedArray> a = loadArray(path, options.kind);
        if (!a) {
            printToolMessage(a.error());
            trouble = true;
            continue;
        }
        const QList<ArrayFinding> found =
            checkArray(a->kind, reinterpret_cast<const unsigned char*>(a->bytes.constData()), options.facts,
                       catalogue.get());
        findings = findings || !found.isEmpty();
        if (options.json) {
            QJsonArray list;
            for (const ArrayFinding& f : found) {
                QJsonObject item;
                item.insert(QStringLiteral("severity"), f.severity == ArrayFinding::Refusal
                                                            ? QStringLiteral("refused") : QStringLiteral("warning"));
                item.insert(QStringLiteral("text"), f.text);
                list.append(item);
            }
            QJsonObject result;
            result.insert(QStringLiteral("file"), a->path);
            result.insert(QStringLiteral("kind"), arrayKindKey(a->kind));
            result.insert(QStringLiteral("findings"), list);
            results.append(result);
        } else if (found.isEmpty()) {
            text += QStringLiteral("%1: ok\n").arg(a->path);
        } else {
            for (const ArrayFinding& f : found)
                text += QStringLiteral("%1: %2: %3\n")
                            .arg(a->path,
                                 f.severity == ArrayFinding::Refusal ? QStringLiteral("refused") : QStringLiteral("warning"),
                                 f.text);
        }
        if (text.size() > 1 << 16) {
            toolOut(text);
            text.clear();
        }
    }
    if (options.json) {
        QJsonObject object;
        object.insert(QStringLiteral("format"), kArrayJsonFormat);
        object.insert(QStringLiteral("results"), results);
        toolOut(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    } else {
        toolOut(text);
    }
    if (trouble)
        return ToolTrouble;
    return findings ? ToolFindings : ToolDone;
}
