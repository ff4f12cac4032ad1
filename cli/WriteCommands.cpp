// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include "core/ArrayJson.h"
#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>

namespace {

struct Assignment
{
    QString name;
    QString value;
};

// Sets the assigned fields in an array; false after reporting the first
// name the array's kind lacks or value its field does not take.
bool applyAssignments(LoadedArray& a, const QList<Assignment>& assignments)
{
    auto* raw = reinterpret_cast<unsigned char*>(a.bytes.data());
    for (const Assignment& s : assignments) {
        const FieldSpec* f = findField(a.kind, s.name);
        if (!f) {
            toolError(QStringLiteral("%1: a %2 array has no field \"%3\" (see show --json)")
                          .arg(a.path, kindName(a.kind), s.name));
            return false;
        }
        const std::optional<unsigned> v = parseFieldValue(*f, s.value);
        if (!v) {
            toolError(QStringLiteral("%1: \"%2\" is not a value of %3, which takes %4")
                          .arg(a.path, s.value, f->name, fieldValueRange(*f)));
            return false;
        }
        writeField(*f, raw, *v);
    }
    return true;
}

} // namespace

int setCommand(const QStringList& arguments, const ToolOptions& options)
{
    QStringList files;
    QList<Assignment> assignments;
    for (const QString& arg : arguments) {
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0)
            assignments.append({arg.left(eq).trimmed(), arg.mid(eq + 1)});
        else
            files.append(arg);
    }
    if (files.isEmpty() || assignments.isEmpty()) {
        toolError(QStringLiteral("set: give one or more files and one or more name=value"));
        return ExitTrouble;
    }
    if (!options.output.isEmpty() && files.size() != 1) {
        toolError(QStringLiteral("set: -o takes the result of one file only"));
        return ExitTrouble;
    }

    // Every file is read and changed before any is written, so that an error
    // in one leaves all of them as they were.
    QList<LoadedArray> changed;
    for (const QString& path : files) {
        std::optional<LoadedArray> a = loadArray(path, options.kind);
        if (!a || !applyAssignments(*a, assignments))
            return ExitTrouble;
        changed.append(*a);
    }
    for (const LoadedArray& a : changed)
        if (!writeOutput(options.output.isEmpty() ? a.path : options.output, a.bytes))
            return ExitTrouble;
    return ExitOk;
}

int encodeCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.size() != 1 || options.output.isEmpty()) {
        toolError(QStringLiteral("encode: give one JSON file (or - for standard input) and -o FILE"));
        return ExitTrouble;
    }
    const std::optional<QByteArray> text = readInput(files.at(0));
    if (!text)
        return ExitTrouble;
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(*text, &parseError);
    if (doc.isNull()) {
        toolError(QStringLiteral("%1: not JSON: %2 at offset %3")
                      .arg(files.at(0), parseError.errorString()).arg(parseError.offset));
        return ExitTrouble;
    }
    QJsonObject object = doc.object();
    if (doc.isArray()) {
        if (doc.array().size() != 1 || !doc.array().at(0).isObject()) {
            toolError(QStringLiteral("%1: encode takes one array; this JSON holds %2")
                          .arg(files.at(0)).arg(doc.array().size()));
            return ExitTrouble;
        }
        object = doc.array().at(0).toObject();
    }
    const ArrayFromJson result = arrayFromJson(object);
    if (!result.ok()) {
        toolError(QStringLiteral("%1: %2").arg(files.at(0), result.error));
        return ExitTrouble;
    }
    if (options.kind && arrayKindForSize(result.bytes.size()) != options.kind) {
        toolError(QStringLiteral("%1: describes a %2 array, not a %3 array")
                      .arg(files.at(0), kindName(*arrayKindForSize(result.bytes.size())), kindName(*options.kind)));
        return ExitTrouble;
    }
    return writeOutput(options.output, result.bytes) ? ExitOk : ExitTrouble;
}

int defaultCommand(const QStringList& arguments, const ToolOptions& options)
{
    const std::optional<ArrayKind> kind = arguments.size() == 1 ? arrayKindFromKey(arguments.at(0)) : std::nullopt;
    if (!kind || options.output.isEmpty()) {
        toolError(QStringLiteral("default: give qos or vlan, and -o FILE"));
        return ExitTrouble;
    }
    QByteArray bytes;
    if (*kind == ArrayKind::Qos) {
        const auto& image = QosConfigArray::defaultImage();
        bytes = QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    } else {
        const auto& image = VlanConfigArray::defaultImage();
        bytes = QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    }
    return writeOutput(options.output, bytes) ? ExitOk : ExitTrouble;
}
