// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Reads a saved configuration array, sets fields by name and writes it back,
// with the window-free core library alone.
//
//   edit-saved-array FILE [NAME=VALUE ...]
#include <core/FieldCatalogue.h>
#include <core/QosConfig.h>
#include <core/VlanConfig.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "edit-saved-array: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return fail(QStringLiteral("usage: edit-saved-array FILE [NAME=VALUE ...]"));
    const QString path = args.first();

    // Only a regular file is read (not a device or a pipe, which may never
    // end), and no more than one byte past the largest array.
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("%1 is not a regular file").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    QByteArray bytes = file.read(kVlanConfigSize + 1);
    file.close();
    // Its size says its kind.
    const std::optional<ArrayKind> kind = arrayKindForSize(bytes.size());
    if (!kind)
        return fail(QStringLiteral("%1 holds %2 bytes: neither a QoS (40) nor a VLAN (82) array")
                        .arg(path)
                        .arg(bytes.size() > kVlanConfigSize ? QStringLiteral("more than 82") : QString::number(bytes.size())));
    auto* cfg = reinterpret_cast<unsigned char*>(bytes.data());
    const bool wasBlank = *kind == ArrayKind::Qos ? QosConfigArray(cfg).applyBlankRule()
                                                   : VlanConfigArray(cfg).applyBlankRule();
    if (wasBlank)
        std::printf("never configured: starting from the default image\n");

    if (args.size() == 1) {
        for (const FieldSpec& field : fieldCatalogue(*kind))
            std::printf("%s = %s\n", qPrintable(field.name), qPrintable(fieldValueText(field, readField(field, cfg))));
        return 0;
    }

    // The file is written only when every assignment is good.
    for (const QString& assignment : args.mid(1)) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        const FieldSpec* field = eq > 0 ? findField(*kind, assignment.left(eq)) : nullptr;
        if (!field)
            return fail(QStringLiteral("not a field of this array: %1").arg(assignment.left(eq)));
        const std::optional<unsigned> value = parseFieldValue(*field, assignment.mid(eq + 1));
        if (!value)
            return fail(QStringLiteral("%1 takes %2").arg(field->name, fieldValueRange(*field)));
        const unsigned was = readField(*field, cfg);
        writeField(*field, cfg, *value);
        std::printf("%s: %s -> %s\n", qPrintable(field->name), qPrintable(fieldValueText(*field, was)),
                    qPrintable(fieldValueText(*field, *value)));
    }
    // Written to a new file that replaces the old one only when complete,
    // so a full disk leaves the old array as it was.
    // Unbuffered, so that a failed write is seen before commit() puts the
    // file in place (a buffered QSaveFile may commit what it could not write).
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(bytes) != bytes.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(path, out.errorString()));
    return 0;
}
