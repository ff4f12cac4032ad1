// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include "core/ArrayJson.h"
#include "core/QosConfig.h"
#include "core/RegularFile.h"
#include "core/StrictJson.h"
#include "core/VlanConfig.h"

#include <QJsonArray>

#include <algorithm>

namespace {

struct Assignment
{
    QString name;
    QString value;
};

// Sets the assigned fields in an array; fails at the first name the array's
// kind lacks or value its field does not take.
Result<void> applyAssignments(LoadedArray& a, const QList<Assignment>& assignments)
{
    auto* raw = reinterpret_cast<unsigned char*>(a.bytes.data());
    for (const Assignment& s : assignments) {
        const FieldSpec* f = findField(a.kind, s.name);
        if (!f)
            return Failure(QStringLiteral("%1: a %2 array has no field \"%3\" (see show --json)")
                               .arg(a.path, kindName(a.kind), s.name));
        const std::optional<unsigned> v = parseFieldValue(*f, s.value);
        if (!v)
            return Failure(QStringLiteral("%1: \"%2\" is not a value of %3, which takes %4")
                               .arg(a.path, s.value, f->name, fieldValueRange(*f)));
        writeField(*f, raw, *v);
    }
    return {};
}

// ExitOk, or ExitTrouble after reporting why not.
int reportedExit(const Result<void>& done)
{
    if (done)
        return ExitOk;
    toolError(done.error());
    return ExitTrouble;
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

    // Every file is read, checked and changed before any is written, so that
    // an error in one leaves all of them as they were. A file changed in
    // place is locked from before it is read until it is replaced, so that
    // sets running at once on one file take turns.
    const bool inPlace = options.output.isEmpty();
    QStringList lockedPaths;
    QList<qsizetype> lockIndex; // per file: its index among the locked ones, or -1
    for (const QString& path : std::as_const(files)) {
        const bool locked = inPlace && path != QLatin1String("-");
        lockIndex.append(locked ? lockedPaths.size() : -1);
        if (locked)
            lockedPaths.append(path);
    }
    RegularFileLocks locks;
    if (!lockedPaths.isEmpty()) {
        if (const Result<void> locked = locks.lock(lockedPaths); !locked) {
            toolError(locked.error());
            return ExitTrouble;
        }
    }
    QList<LoadedArray> changed;
    QList<QByteArray> before;
    for (qsizetype i = 0; i < files.size(); ++i) {
        Result<LoadedArray> a = lockIndex[i] >= 0
            ? arrayFromContent(files[i], locks.read(lockIndex[i], arrayFileLimit()), options.kind)
            : loadArray(files[i], options.kind);
        if (!a) {
            toolError(a.error());
            return ExitTrouble;
        }
        before.append(a->bytes);
        if (const Result<void> applied = applyAssignments(a.value(), assignments); !applied) {
            toolError(applied.error());
            return ExitTrouble;
        }
        changed.append(a.value());
    }

    // Then each is written; when one cannot be, those written before it get
    // their old bytes back.
    for (qsizetype i = 0; i < changed.size(); ++i) {
        const QString target = inPlace ? changed[i].path : options.output;
        const Result<void> written = writeOutput(target, changed[i].bytes);
        if (written)
            continue;
        toolError(written.error());
        QStringList restored;
        bool allRestored = true;
        for (qsizetype k = i - 1; k >= 0; --k) {
            if (changed[k].path == QLatin1String("-"))
                continue;
            if (const Result<void> restoredOne = writeRegularFile(changed[k].path, before[k]); !restoredOne) {
                toolError(QStringLiteral("set: %1 keeps the new values: it could not be restored: %2")
                              .arg(changed[k].path, restoredOne.error()));
                allRestored = false;
            } else {
                restored.prepend(changed[k].path);
            }
        }
        if (allRestored)
            toolError(restored.isEmpty()
                          ? QStringLiteral("set: %1 failed; no file was changed").arg(target)
                          : QStringLiteral("set: %1 failed; no file was changed (%2 got the old content back)")
                                .arg(target, restored.join(QStringLiteral(", "))));
        return ExitTrouble;
    }
    return ExitOk;
}

int encodeCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.size() != 1 || options.output.isEmpty()) {
        toolError(QStringLiteral("encode: give one JSON file (or - for standard input) and -o FILE"));
        return ExitTrouble;
    }
    const Result<QByteArray> text = readInput(files.at(0), kStrictJsonSizeLimit);
    if (!text) {
        toolError(text.error());
        return ExitTrouble;
    }
    const StrictJson doc = parseStrictJson(text.value());
    if (!doc) {
        toolError(QStringLiteral("%1: %2 at offset %3").arg(files.at(0), doc.error().message).arg(doc.error().offset));
        return ExitTrouble;
    }
    QJsonObject object = doc->toObject();
    if (doc->isArray()) {
        const QJsonArray list = doc->toArray();
        if (list.size() != 1 || !list.at(0).isObject()) {
            toolError(QStringLiteral("%1: encode takes one array; this JSON holds %2")
                          .arg(files.at(0)).arg(list.size()));
            return ExitTrouble;
        }
        object = list.at(0).toObject();
    } else if (!doc->isObject()) {
        toolError(QStringLiteral("%1: the JSON is not an object").arg(files.at(0)));
        return ExitTrouble;
    }
    const Result<QByteArray> result = arrayFromJson(object);
    if (!result) {
        toolError(QStringLiteral("%1: %2").arg(files.at(0), result.error()));
        return ExitTrouble;
    }
    if (options.kind && arrayKindForSize(result->size()) != options.kind) {
        toolError(QStringLiteral("%1: describes a %2 array, not a %3 array")
                      .arg(files.at(0), kindName(*arrayKindForSize(result->size())), kindName(*options.kind)));
        return ExitTrouble;
    }
    return reportedExit(writeOutput(options.output, result.value()));
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
    return reportedExit(writeOutput(options.output, bytes));
}
