// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/KitCommandLine.h"

#include "translator-kit/GeometryCheck.h"

namespace {

KitRequest failure(const QString& message)
{
    KitRequest request;
    request.command = KitRequest::Command::Error;
    request.error = message;
    return request;
}

} // namespace

KitRequest parseKitCommandLine(const QStringList& args)
{
    KitRequest request;
    if (args.size() < 2)
        return failure(QStringLiteral("no command given"));
    const QString command = args.at(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help"))
        return request;
    if (command == QLatin1String("template"))
        request.command = KitRequest::Command::Template;
    else if (command == QLatin1String("check"))
        request.command = KitRequest::Command::Check;
    else if (command == QLatin1String("pseudo"))
        request.command = KitRequest::Command::Pseudo;
    else if (command == QLatin1String(kMeasureCommand))
        request.command = KitRequest::Command::Measure;
    else
        return failure(QStringLiteral("unknown command '%1'").arg(command));

    const bool writes = request.command == KitRequest::Command::Template
        || request.command == KitRequest::Command::Pseudo;
    bool outputSeen = false;
    bool expandSeen = false;
    bool densitySeen = false;
    for (qsizetype i = 2; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            request = KitRequest();
            return request;
        }
        QString value;
        bool hasValue = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            hasValue = true;
        }
        const bool isOutput = arg == QLatin1String("-o") || arg == QLatin1String("--output");
        const bool isExpand = arg == QLatin1String("--expand");
        const bool isDensity = arg == QLatin1String("--density");
        if (isOutput || isExpand || isDensity) {
            if (!hasValue) {
                if (i + 1 >= args.size())
                    return failure(QStringLiteral("%1 needs a value").arg(arg));
                value = args.at(++i);
            }
            if (value.isEmpty())
                return failure(QStringLiteral("%1 needs a value").arg(arg));
        }
        if (isOutput && writes) {
            if (outputSeen)
                return failure(QStringLiteral("-o given twice"));
            outputSeen = true;
            request.output = value;
        } else if (isExpand && request.command == KitRequest::Command::Pseudo) {
            bool ok = false;
            const int percent = value.toInt(&ok);
            if (!ok || percent < 0 || percent > 1000)
                return failure(QStringLiteral("--expand takes a percentage from 0 to 1000, not '%1'").arg(value));
            if (expandSeen)
                return failure(QStringLiteral("--expand given twice"));
            expandSeen = true;
            request.expandPercent = percent;
        } else if (isDensity && request.command == KitRequest::Command::Check) {
            bool ok = false;
            const int dpi = value.toInt(&ok);
            if (!ok || dpi < 48 || dpi > 480)
                return failure(QStringLiteral("--density takes pixels per inch from 48 to 480, not '%1'").arg(value));
            if (densitySeen)
                return failure(QStringLiteral("--density given twice"));
            densitySeen = true;
            request.density = dpi;
        } else if (!arg.startsWith(QLatin1Char('-')) && !writes && request.file.isEmpty()) {
            request.file = arg;
        } else {
            return failure(QStringLiteral("unexpected argument '%1' for %2").arg(args.at(i), command));
        }
    }
    if (request.command == KitRequest::Command::Check && request.file.isEmpty())
        return failure(QStringLiteral("check needs the catalogue file to check"));
    return request;
}

QString kitHelpText(const QString& programName)
{
    return QStringLiteral(
               "Usage: %1 COMMAND [OPTIONS]\n"
               "Tools for translating the QoS and VLAN dialogs: a language catalogue is an INI file\n"
               "with sections [QOS] and [VLAN] of key=value lines.\n"
               "\n"
               "Commands:\n"
               "  template [-o FILE]\n"
               "      Writes a complete catalogue with every key and its English text, each after a\n"
               "      comment saying where it appears (dialog, page, control). Read back, it shows\n"
               "      exactly the English dialogs. Texts that one line cannot replace are written as\n"
               "      comments with the reason.\n"
               "  check FILE [--density DPI]\n"
               "      Checks a catalogue: unknown keys (with the nearest known key), missing keys,\n"
               "      empty values, duplicates (the first one wins), accelerators ('&' before a\n"
               "      letter) lost or added against the English text, two captions shown together\n"
               "      with the same accelerator, and geometry: the dialogs are built with the\n"
               "      catalogue at 96, 120 and 144 dpi and every caption that is clipped, runs into\n"
               "      another control, lies outside its page or is shortened to fit the screen is\n"
               "      listed with the pixels it needs and has (measured on a 1280x720 screen).\n"
               "      --density checks the geometry at that density only.\n"
               "      Notes (lines starting with \"note:\") do not count as findings.\n"
               "  pseudo [--expand PCT] [-o FILE]\n"
               "      Writes a pseudo-translation: accented letters, each text in brackets and\n"
               "      PCT % longer than English (default 40); accelerators and line breaks are kept.\n"
               "      Check it or preview it to see how a long translation will look.\n"
               "  help, --help\n"
               "      This text.\n"
               "\n"
               "Without -o the catalogue is written to standard output (UTF-8).\n"
               "Preview a catalogue with the demo host:\n"
               "  odu-switch-demo --screenshot DIR --catalogue FILE --mark-defects\n"
               "\n"
               "Exit codes: 0 clean, 1 findings, 2 an unreadable file or a bad command line.\n")
        .arg(programName);
}
