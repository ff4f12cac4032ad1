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
    QList<const FieldSpec*> seen;
    for (const Assignment& s : assignments) {
        const FieldSpec* f = findField(a.kind, s.name);
        if (!f)
            return Failure(QStringLiteral("%1: a %2 array has no field \"%3\" (see show --json)")
                               .arg(a.path, kindName(a.kind), s.name));
        // As in JSON, where a key named twice is refused: which one was
        // meant is not for the tool to guess.
        if (seen.contains(f))
            return Failure(QStringLiteral("%1 is given more than once; give each field once").arg(f->name));
        seen.append(f);
        const std::optional<unsigned> v = parseFieldValue(*f, s.value);
        if (!v)
            return Failure(QStringLiteral("%1: \"%2\" is not a value of %3, which takes %4")
                               .arg(a.path, s.value, f->name, fieldValueRange(*f)));
        writeField(*f, raw, *v);
    }
    return {};
}

// ToolDone, or ToolTrouble after reporting why not.
int reportedExit(const Result<void>& done)
{
    if (done)
        return ToolDone;
    printToolMessage(done.error());
    return ToolTrouble;
}

} // namespace

// An argument of set is an assignment when it has a name before an "=" and
// that name holds no "/": "./a=b.bin" and "/data/x=1.bin" are files.
bool isAssignment(const QString& arg)
{
    const qsizetype eq = arg.indexOf(QLatin1Char('='));
    return eq > 0 && !arg.left(eq).contains(QLatin1Char('/'));
}

int setCommand(const QStringList& arguments, const ToolOptions& options)
{
    QStringList files;
    QList<Assignment> assignments;
    for (const QString& arg : arguments) {
        if (isAssignment(arg)) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            assignments.append({arg.left(eq).trimmed(), arg.mid(eq + 1)});
        } else {
            files.append(arg);
        }
    }
    if (files.isEmpty() || assignments.isEmpty()) {
        printToolMessage(QStringLiteral("set: give one or more files and one or more name=value"));
        return ToolTrouble;
    }
    if (!options.output.isEmpty() && files.size() != 1) {
        printToolMessage(QStringLiteral("set: -o takes the result of one file only"));
        return ToolTrouble;
    }

    // Every file is read, checked and changed before any is written, so that
    // an error in one leaves all of them as they were. A file changed in
    // place is locked from before it is read until the command is over
    // (the new file is locked before it takes the name), so that sets
    // running at once on one file take turns, and one waiting for a set
    // that fails sees the files only once they are restored.
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
            printToolMessage(locked.error());
            return ToolTrouble;
        }
    }
    QList<LoadedArray> changed;
    QList<QByteArray> before;
    for (qsizetype i = 0; i < files.size(); ++i) {
        Result<LoadedArray> a = lockIndex[i] >= 0
            ? arrayFromContent(files[i], locks.read(lockIndex[i], arrayFileLimit()), options.kind)
            : loadArray(files[i], options.kind);
        if (!a) {
            printToolMessage(a.error());
            return ToolTrouble;
        }
        before.append(a->bytes);
        if (const Result<void> applied = applyAssignments(a.value(), assignments); !applied) {
            printToolMessage(applied.error());
            return ToolTrouble;
        }
        changed.append(a.value());
    }

    if (!inPlace) {
        // One file to -o: its writer's message says what became of it.
        return reportedExit(writeOutput(options.output, changed[0].bytes));
    }
    // Then each is written; when one cannot be, it (if its name already
    // holds the new content) and those written before it get their old
    // bytes back, and the message names every file as it is left.
    for (qsizetype i = 0; i < changed.size(); ++i) {
        Result<void, WriteProblem> written;
        if (lockIndex[i] >= 0)
            written = locks.replace(lockIndex[i], changed[i].bytes);
        else if (const Result<void> out = writeOutput(changed[i].path, changed[i].bytes); !out)
            written = Failure(WriteProblem{out.error(), false});
        if (written)
            continue;
        printToolMessage(written.error().message);
        QStringList restored;
        QStringList keptNew;
        for (qsizetype k = written.error().replaced ? i : i - 1; k >= 0; --k) {
            if (lockIndex[k] < 0)
                continue; // standard output: gone
            const Result<void, WriteProblem> back = locks.replace(lockIndex[k], before[k]);
            if (back || back.error().replaced) {
                if (!back)
                    printToolMessage(QStringLiteral("set: %1 holds its old content again, but: %2")
                                  .arg(changed[k].path, back.error().message));
                restored.prepend(changed[k].path);
            } else {
                printToolMessage(QStringLiteral("set: %1 keeps the new values: it could not be restored: %2")
                              .arg(changed[k].path, back.error().message));
                keptNew.prepend(changed[k].path);
            }
        }
        const QString failedFile = changed[i].path;
        if (!keptNew.isEmpty())
            printToolMessage(QStringLiteral("set: %1 failed; these files keep the new values: %2")
                          .arg(failedFile, keptNew.join(QStringLiteral(", "))));
        else if (restored.isEmpty())
            printToolMessage(QStringLiteral("set: %1 failed; no file was changed").arg(failedFile));
        else
            printToolMessage(QStringLiteral("set: %1 failed; every file holds its old content again (%2 got it back)")
                          .arg(failedFile, restored.join(QStringLiteral(", "))));
        return ToolTrouble;
    }
    return ToolDone;
}

int encodeCommand(const QStringList& files, const ToolOptions& options)
{
    if (files.size() != 1 || options.output.isEmpty()) {
        printToolMessage(QStringLiteral("encode: give one JSON file (or - for standard input) and -o FILE"));
        return ToolTrouble;
    }
    const Result<QByteArray> text = readInput(files.at(0), kStrictJsonSizeLimit);
    if (!text) {
        printToolMessage(text.error());
        return ToolTrouble;
    }
    const StrictJson doc = parseStrictJson(text.value());
    if (!doc) {
        printToolMessage(QStringLiteral("%1: %2 at offset %3").arg(files.at(0), doc.error().message).arg(doc.error().offset));
        return ToolTrouble;
    }
    QJsonObject object = doc->toObject();
    if (doc->isArray()) {
        const QJsonArray list = doc->toArray();
        if (list.size() != 1 || !list.at(0).isObject()) {
            printToolMessage(QStringLiteral("%1: encode takes one array; this JSON holds %2")
                          .arg(files.at(0)).arg(list.size()));
            return ToolTrouble;
        }
        object = list.at(0).toObject();
    } else if (!doc->isObject()) {
        printToolMessage(QStringLiteral("%1: the JSON is not an object").arg(files.at(0)));
        return ToolTrouble;
    }
    const Result<QByteArray> result = arrayFromJson(object);
    if (!result) {
        printToolMessage(QStringLiteral("%1: %2").arg(files.at(0), result.error()));
        return ToolTrouble;
    }
    if (options.kind && arrayKindForSize(result->size()) != options.kind) {
        printToolMessage(QStringLiteral("%1: describes a %2 array, not a %3 array")
                      .arg(files.at(0), kindName(*arrayKindForSize(result->size())), kindName(*options.kind)));
        return ToolTrouble;
    }
    return reportedExit(writeOutput(options.output, result.value()));
}

int defaultCommand(const QStringList& arguments, const ToolOptions& options)
{
    const std::optional<ArrayKind> kind = arguments.size() == 1 ? arrayKindFromKey(arguments.at(0)) : std::nullopt;
    if (!kind || options.output.isEmpty()) {
        printToolMessage(QStringLiteral("default: give qos or vlan, and -o FILE"));
        return ToolTrouble;
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
