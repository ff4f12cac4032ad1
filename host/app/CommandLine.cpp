// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/CommandLine.h"

#include "core/CatalogueFile.h"
#include "core/RegularFile.h"
#include "host/app/DemoPalettes.h"
#include "toolsupport/TextEncoding.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

#ifndef ODU_DEMO_VERSION
#define ODU_DEMO_VERSION "0.0.0"
#endif
#ifndef ODU_DEMO_CATALOGUES_FROM_BIN
#define ODU_DEMO_CATALOGUES_FROM_BIN "../share/odu-switch-dialogs/translations"
#endif

namespace {

// "WIDTHxHEIGHT", each at least 200 and at most 16384 pixels.
std::optional<QSize> parseScreen(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return std::nullopt;
    bool wOk = false;
    bool hOk = false;
    const int w = parts[0].toInt(&wOk);
    const int h = parts[1].toInt(&hOk);
    const auto inRange = [](int v) { return v >= 200 && v <= 16384; };
    if (!wOk || !hOk || !inRange(w) || !inRange(h) || parts[0].startsWith(QLatin1Char('+'))
        || parts[1].startsWith(QLatin1Char('+')))
        return std::nullopt;
    return QSize(w, h);
}

const char kDescription[] =
    "Demo host for the QoS and VLAN dialogs of the ODU switch plug-in. It keeps\n"
    "the QoS (40 bytes) and VLAN (82 bytes) configuration arrays of a local and a\n"
    "remote unit, opens the dialogs over them exactly as a host program does and\n"
    "shows what the dialogs wrote.\n"
    "\n"
    "With --screenshot it opens no window: it draws every page of both dialogs\n"
    "offscreen, writes one PNG per page and one of the VID entry dialog into DIR\n"
    "(which must exist), prints their paths and exits.\n"
    "Qt's own options (for example -reverse for right to left, -style NAME) come\n"
    "before or among these.\n"
    "\n"
    "Exit codes: 0 done, 2 trouble (a bad command line, an unusable screenshot\n"
    "folder or catalogue, no display, a picture or output that could not be\n"
    "written); 1, findings, is never the demo's.";

// The program's options, set up once for parsing and for the help text.
struct DemoParser
{
    QCommandLineParser parser;
    QCommandLineOption screenshot{QStringLiteral("screenshot"),
                                  QStringLiteral("Draw every dialog page into PNG files in DIR and exit."),
                                  QStringLiteral("DIR")};
    QCommandLineOption catalogue{QStringLiteral("catalogue"),
                                 QStringLiteral("Language catalogue (INI file) for captions and messages; "
                                                "without it or --language the dialogs use their English texts."),
                                 QStringLiteral("FILE")};
    QCommandLineOption language{QStringLiteral("language"),
                                QStringLiteral("The installed catalogue of this language, for example de, ar "
                                               "or pt_BR."),
                                QStringLiteral("CODE")};
    QCommandLineOption remote{QStringLiteral("remote"),
                              QStringLiteral("Open the dialogs for the remote unit (window titles).")};
    QCommandLineOption markDefects{QStringLiteral("mark-defects"),
                                   QStringLiteral("With --screenshot: draw a red frame around every caption that "
                                                  "is clipped, runs into another control or lies outside its "
                                                  "page.")};
    QCommandLineOption palette{QStringLiteral("palette"),
                               QStringLiteral("The desktop's colours: light (the style's own, the default), dark, "
                                              "high-contrast (white on black) or high-contrast-white (black on "
                                              "white)."),
                               QStringLiteral("NAME")};
    QCommandLineOption ownerDirection{QStringLiteral("owner-direction"),
                                      QStringLiteral("The direction of the host's own window, which owns the "
                                                     "dialogs: ltr (the default) or rtl (right to left while the "
                                                     "application stays left to right, as a host that mirrors "
                                                     "its window per language does)."),
                                      QStringLiteral("DIR")};
    QCommandLineOption vlanMode{QStringLiteral("vlan-mode"),
                                QStringLiteral("Open the VLAN dialog in this VLAN mode: disable, single or double "
                                               "(written into both units' VLAN arrays)."),
                                QStringLiteral("MODE")};
    QCommandLineOption sampleTable{QStringLiteral("sample-table"),
                                   QStringLiteral("Give both units' VLAN arrays a few static VLAN entries.")};
    QCommandLineOption screen{QStringLiteral("screen"),
                              QStringLiteral("With --screenshot: the size of the screen the dialogs open on, "
                                             "in pixels (default 1280x720)."),
                              QStringLiteral("WIDTHxHEIGHT")};

    DemoParser()
    {
        parser.setApplicationDescription(QString::fromLatin1(kDescription));
        // "-platform" is one unknown option, not the letters p, l, a, ...
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({screenshot, catalogue, language, remote, markDefects, palette, ownerDirection, vlanMode,
                           sampleTable, screen});
    }
};

DemoOptions failure(const QString& message)
{
    DemoOptions o;
    o.action = DemoOptions::Action::Error;
    o.error = message;
    return o;
}

// The arguments as the parser reads them, from the raw argv.
QStringList argumentList(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

} // namespace

DemoOptions parseCommandLine(const QStringList& args)
{
    DemoParser p;
    QCommandLineParser& parser = p.parser;
    if (!parser.parse(args))
        return failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    // Each option once: a second value would silently win or lose.
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        // The short and long names of one option count as one.
        const QString key = name == QLatin1String("h") || name == QLatin1String("?") ? QStringLiteral("help")
            : name == QLatin1String("v")                                               ? QStringLiteral("version")
                                                                                       : name;
        if (seen.contains(key))
            return failure(QStringLiteral("option '--%1' given more than once").arg(key));
        seen.append(key);
    }
    for (const QCommandLineOption* option :
         {&p.screenshot, &p.catalogue, &p.language, &p.palette, &p.ownerDirection, &p.vlanMode, &p.screen}) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty())
            return failure(QStringLiteral("option '--%1' needs a non-empty value").arg(option->names().constFirst()));
    }

    // (--help-all, which the parser adds, prints the same text: Qt's own
    // options are the ones its documentation lists.)
    const bool help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    const bool version = parser.isSet(QStringLiteral("version"));
    const bool screenshot = parser.isSet(p.screenshot);
    DemoOptions options;
    options.screenshotDir = parser.value(p.screenshot);
    options.catalogue = parser.value(p.catalogue);
    options.language = parser.value(p.language);
    options.remote = parser.isSet(p.remote);
    options.markDefects = parser.isSet(p.markDefects);
    if (parser.isSet(p.palette)) {
        options.palette = parser.value(p.palette);
        if (!demoPaletteNames().contains(options.palette))
            return failure(QStringLiteral("unknown palette '%1' (one of: %2)")
                               .arg(options.palette, demoPaletteNames().join(QStringLiteral(", "))));
    }
    if (parser.isSet(p.ownerDirection)) {
        const QString direction = parser.value(p.ownerDirection);
        if (direction != QLatin1String("ltr") && direction != QLatin1String("rtl"))
            return failure(QStringLiteral("option '--owner-direction' needs ltr or rtl, not '%1'").arg(direction));
        options.ownerDirection = direction == QLatin1String("rtl") ? Qt::RightToLeft : Qt::LeftToRight;
    }
    if (parser.isSet(p.vlanMode)) {
        options.vlanMode = int(vlanModeNames().indexOf(parser.value(p.vlanMode)));
        if (options.vlanMode < 0)
            return failure(QStringLiteral("unknown VLAN mode '%1' (one of: %2)")
                               .arg(parser.value(p.vlanMode), vlanModeNames().join(QStringLiteral(", "))));
    }
    options.sampleTable = parser.isSet(p.sampleTable);
    if (parser.isSet(p.screen)) {
        const std::optional<QSize> size = parseScreen(parser.value(p.screen));
        if (!size)
            return failure(QStringLiteral("option '--screen' needs WIDTHxHEIGHT, each 200 to 16384 "
                                          "pixels, not '%1'").arg(parser.value(p.screen)));
        options.screen = *size;
    }

    if (!options.catalogue.isEmpty() && !options.language.isEmpty())
        return failure(QStringLiteral("options '--catalogue' and '--language' exclude each other"));
    if (options.markDefects && !screenshot && !help && !version)
        return failure(QStringLiteral("option '--mark-defects' needs --screenshot"));
    if (parser.isSet(p.screen) && !screenshot && !help && !version)
        return failure(QStringLiteral("option '--screen' needs --screenshot"));
    if (help)
        options.action = DemoOptions::Action::Help;
    else if (version)
        options.action = DemoOptions::Action::Version;
    else if (screenshot)
        options.action = DemoOptions::Action::Screenshot;
    else
        options.action = DemoOptions::Action::RunWindow;
    return options;
}

QStringList vlanModeNames()
{
    return {QStringLiteral("disable"), QStringLiteral("single"), QStringLiteral("double")};
}

QString helpText()
{
    return DemoParser().parser.helpText();
}

QString versionText()
{
    return QStringLiteral("odu-switch-demo %1").arg(QLatin1String(ODU_DEMO_VERSION));
}

bool asksForScreenshots(int argc, char** argv)
{
    // Qt's own options are still among the arguments: the parser's verdict
    // on the whole line does not matter here, only what it read.
    DemoParser p;
    p.parser.parse(argumentList(argc, argv));
    return p.parser.isSet(p.screenshot);
}

QSize screenFromArguments(int argc, char** argv)
{
    DemoParser p;
    p.parser.parse(argumentList(argc, argv));
    const std::optional<QSize> screen = parseScreen(p.parser.value(p.screen));
    return screen.value_or(DemoOptions().screen);
}
Result<void> checkScreenshotDir(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.exists())
        return Failure(QStringLiteral("screenshot folder '%1' does not exist").arg(dir));
    if (!info.isDir())
        return Failure(QStringLiteral("screenshot folder '%1' is not a folder").arg(dir));
    // Permission bits say little for a privileged user or on a read-only
    // mount: try to create a file there.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".odu-switch-demo-XXXXXX")));
    if (!probe.open())
        return Failure(QStringLiteral("screenshot folder '%1' is not writable: %2").arg(dir, probe.errorString()));
    return {};
}

Result<void> checkCatalogueFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return Failure(QStringLiteral("catalogue '%1' does not exist").arg(file));
    if (!info.isFile())
        return Failure(QStringLiteral("catalogue '%1' is not a file").arg(file));
    // The library would not read it, and the texts would silently stay English.
    if (info.size() > kCatalogueFileSizeLimit)
        return Failure(QStringLiteral("catalogue '%1' is larger than %2 MB, far more than any catalogue")
                           .arg(file)
                           .arg(kCatalogueFileSizeLimit / (1024 * 1024)));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return Failure(QStringLiteral("catalogue '%1' cannot be read: %2").arg(file, f.errorString()));
    return {};
}

QString catalogueEncodingWarning(const QString& file)
{
    const RegularFileRead raw = readRegularFile(file, kCatalogueFileSizeLimit);
    if (!raw)
        return {};
    const EncodingProblem problem = findEncodingProblem(raw.value());
    QString consequence;
    switch (problem.kind) {
    case EncodingProblem::Kind::None:
        return {};
    case EncodingProblem::Kind::NotUtf8:
        consequence = QStringLiteral(", and the dialogs show the replacement character U+FFFD for such bytes");
        break;
    case EncodingProblem::Kind::Utf16LE:
    case EncodingProblem::Kind::Utf16BE:
        consequence = QStringLiteral(", which the dialogs do not read: their captions stay English");
        break;
    case EncodingProblem::Kind::NulBytes:
        consequence = QStringLiteral(", which the dialogs would take into a caption");
        break;
    }
    return QStringLiteral("warning: catalogue '%1': %2%3; save the file as UTF-8")
        .arg(file, describeEncodingProblem(problem), consequence);
}

QStringList catalogueFolders()
{
    const QDir bin(QCoreApplication::applicationDirPath());
    return {QDir::cleanPath(bin.filePath(QStringLiteral(ODU_DEMO_CATALOGUES_FROM_BIN)))};
}

QStringList availableLanguages(const QStringList& folders)
{
    QStringList codes;
    for (const QString& folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.ini")}, QDir::Files | QDir::Readable);
        for (const QFileInfo& file : files)
            if (!codes.contains(file.completeBaseName()))
                codes.append(file.completeBaseName());
    }
    codes.sort();
    return codes;
}

Result<QString> installedCatalogue(const QString& code, const QStringList& folders)
{
    // Only a code of the list names a file: a code is never taken as a path.
    QString wanted = code;
    wanted.replace(QLatin1Char('-'), QLatin1Char('_'));
    for (const QString& folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.ini")}, QDir::Files | QDir::Readable);
        for (const QFileInfo& file : files)
            if (file.completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0)
                return file.filePath();
    }
    const QStringList codes = availableLanguages(folders);
    if (codes.isEmpty())
        return Failure(QStringLiteral("no language catalogues are installed (looked in %1)")
                           .arg(folders.join(QStringLiteral(", "))));
    return Failure(QStringLiteral("unknown language '%1' (one of: %2)").arg(code, codes.join(QStringLiteral(", "))));
}
