// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/KitArguments.h"

#include "translator-kit/GeometryCheck.h"
#include "translator-kit/TranslationFile.h"
#include "translator-kit/TranslationImport.h"

#include <QCommandLineParser>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const char kCommands[] =
    "Tools for translating the QoS and VLAN dialogs: a language catalogue is an INI file\n"
    "with sections [QOS] and [VLAN] of key=value lines, saved as UTF-8.\n"
    "\n"
    "Commands:\n"
    "  template [-o FILE]\n"
    "      Writes a complete catalogue with every key and its English text, each after a\n"
    "      comment saying where it appears (dialog, page, control). Read back, it shows\n"
    "      exactly the English dialogs. A key whose English one value cannot stand for\n"
    "      (two texts, a line break) has an empty value, after a comment with the reason.\n"
    "      A line \"; same-as-english\" above an entry says\n"
    "      that its text is meant to read as the English one (a technical name).\n"
    "  check FILE [--density DPI]\n"
    "      Checks a catalogue: a file that is not UTF-8 (exit 2, with the line and byte,\n"
    "      or named: UTF-16 without a byte order mark, a NUL byte),\n"
    "      unknown keys (with the nearest known key), missing keys, empty values,\n"
    "      duplicates (the first one wins), keys still showing their English text in a\n"
    "      translation, characters no installed font draws (per face, with the Debian\n"
    "      package that brings it), accelerators ('&' before a\n"
    "      letter) lost, added, clashing, before a blank or splitting the joined letters\n"
    "      of a cursive script, and geometry: the dialogs are built with the catalogue at\n"
    "      96, 120 and 144 dpi (right to left too when most of its text is of a\n"
    "      right-to-left script) and every caption that is clipped, runs into another\n"
    "      control, comes too close to its neighbour, lies outside its page or is\n"
    "      shortened to fit the screen is listed, and every control or grid column pushed\n"
    "      out of view (measured on a 1280x720 screen). --density checks the geometry at\n"
    "      that density only. Notes (lines starting with \"note:\") do not count.\n"
    "  pseudo [--expand PCT] [-o FILE]\n"
    "      Writes a pseudo-translation: accented letters, each text in brackets and\n"
    "      PCT % longer than English (default 40); accelerators and line breaks are kept.\n"
    "  export [CATALOGUE] --format po|xliff [--language CODE] [-o FILE]\n"
    "      Writes every key for a translation tool: a PO file (msgctxt \"SECTION|key\") or\n"
    "      XLIFF 1.2, with where each text appears and the room it has. With a\n"
    "      catalogue its texts are the translations; without, the file is empty to fill.\n"
    "      A value still identical to its English text goes out untranslated; one that\n"
    "      differs from it only in its accelerator or blanks goes out fuzzy, to review.\n"
    "  import FILE [--language CODE] [-o FILE]\n"
    "      Writes the UTF-8 catalogue of a translated PO or XLIFF file; untranslated and\n"
    "      fuzzy entries are left out, so that their English text shows.\n"
    "\n"
    "Without -o the output is written to standard output (UTF-8).\n"
    "Preview a catalogue with the demo host:\n"
    "  odu-switch-demo --screenshot DIR --catalogue FILE --mark-defects\n"
    "\n"
    "Exit codes: 0 done, 1 findings (check) or skipped entries (import), 2 trouble\n"
    "(a bad command line, a file that cannot be read or written, lost output);\n"
    "trouble outweighs findings.";

KitRequest failure(const QString& message)
{
    KitRequest request;
    request.command = KitRequest::Command::Error;
    request.error = message;
    return request;
}

} // namespace

KitRequest parseKitArguments(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kCommands));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("template, check, pseudo, export or import"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("template, pseudo, export, import: the file to write."),
                                    QStringLiteral("file"));
    const QCommandLineOption expand(QStringLiteral("expand"),
                                    QStringLiteral("pseudo: how much longer than English, in % (0 to 1000)."),
                                    QStringLiteral("pct"));
    const QCommandLineOption density(QStringLiteral("density"),
                                     QStringLiteral("check: the pixels per inch to examine (48 to 480)."),
                                     QStringLiteral("dpi"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("export: po or xliff."),
                                    QStringLiteral("po|xliff"));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("export, import: the language code (de, pt_BR)."),
                                      QStringLiteral("code"));
    QCommandLineOption rightToLeft(QStringLiteral("right-to-left"));
    rightToLeft.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({output, expand, density, format, language, rightToLeft});

    if (!parser.parse(args))
        return failure(parser.errorText());
    if (parser.isSet(QStringLiteral("help")) || args.value(1) == QLatin1String("help")) {
        KitRequest request;
        request.help = parser.helpText();
        return request;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        KitRequest request;
        request.command = KitRequest::Command::Version;
        return request;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return failure(QStringLiteral("no command given"));
    const QString command = positional.takeFirst();
    KitRequest request;
    using C = KitRequest::Command;
    if (command == QLatin1String("template"))
        request.command = C::Template;
    else if (command == QLatin1String("check"))
        request.command = C::Check;
    else if (command == QLatin1String("pseudo"))
        request.command = C::Pseudo;
    else if (command == QLatin1String("export"))
        request.command = C::Export;
    else if (command == QLatin1String("import"))
        request.command = C::Import;
    else if (command == QLatin1String(kMeasureCommand))
        request.command = C::Measure;
    else
        return failure(QStringLiteral("unknown command '%1'").arg(command));

    // Each option only where it means something.
    const auto allowed = [&](const QCommandLineOption& option, const std::vector<C>& commands) {
        return !parser.isSet(option) || std::find(commands.begin(), commands.end(), request.command) != commands.end();
    };
    // (The command lists are vectors: an initializer list inside a pair would
    // point at an array that is gone once the pair is made.)
    const std::vector<std::pair<const QCommandLineOption*, std::vector<C>>> optionCommands{
        {&output, {C::Template, C::Pseudo, C::Export, C::Import}},
        {&expand, {C::Pseudo}},
        {&density, {C::Check}},
        {&format, {C::Export, C::Import}},
        {&language, {C::Export, C::Import}},
        {&rightToLeft, {C::Measure}}};
    for (const auto& [option, commands] : optionCommands) {
        if (!allowed(*option, commands))
            return failure(QStringLiteral("unexpected argument '--%1' for %2").arg(option->names().constLast(), command));
        // (A flag has no values to count: Qt 6.8 warns when asked for them.)
        if (option->valueName().isEmpty())
            continue;
        if (parser.values(*option).size() > 1)
            return failure(QStringLiteral("--%1 given twice").arg(option->names().constLast()));
        if (parser.isSet(*option) && parser.value(*option).isEmpty())
            return failure(QStringLiteral("--%1 needs a value").arg(option->names().constLast()));
    }
    request.output = parser.value(output);
    if (parser.isSet(expand)) {
        bool ok = false;
        request.expandPercent = parser.value(expand).toInt(&ok);
        if (!ok || request.expandPercent < 0 || request.expandPercent > 1000)
            return failure(QStringLiteral("--expand takes a percentage from 0 to 1000, not '%1'").arg(parser.value(expand)));
    }
    if (parser.isSet(density)) {
        bool ok = false;
        request.density = parser.value(density).toInt(&ok);
        if (!ok || request.density < 48 || request.density > 480)
            return failure(QStringLiteral("--density takes pixels per inch from 48 to 480, not '%1'").arg(parser.value(density)));
    }
    if (parser.isSet(format)) {
        const QString value = parser.value(format).toLower();
        if (value == QLatin1String("po"))
            request.format = KitRequest::Format::Po;
        else if (value == QLatin1String("xliff"))
            request.format = KitRequest::Format::Xliff;
        else
            return failure(QStringLiteral("--format takes po or xliff, not '%1'").arg(parser.value(format)));
    } else if (request.command == C::Export) {
        return failure(QStringLiteral("export needs --format po or --format xliff"));
    }
    request.language = parser.value(language);
    // Written into a file's header: a line break there would add lines.
    if (parser.isSet(language) && !isLanguageCode(request.language))
        return failure(QStringLiteral("--language takes a language code (letters, digits, '_' and '-'), not '%1'")
                           .arg(printable(request.language, 40)));
    request.rightToLeft = parser.isSet(rightToLeft);

    const bool takesFile = request.command == C::Check || request.command == C::Import
        || request.command == C::Export || request.command == C::Measure;
    if (!positional.isEmpty() && takesFile)
        request.file = positional.takeFirst();
    if (!positional.isEmpty())
        return failure(QStringLiteral("unexpected argument '%1' for %2").arg(positional.first(), command));
    if (request.command == C::Check && request.file.isEmpty())
        return failure(QStringLiteral("check needs the catalogue file to check"));
    if (request.command == C::Import && request.file.isEmpty())
        return failure(QStringLiteral("import needs the PO or XLIFF file to import"));
    return request;
}
