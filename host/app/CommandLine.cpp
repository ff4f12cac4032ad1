// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/CommandLine.h"

#include "core/CatalogueFile.h"
#include "host/app/DemoPalettes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

#ifndef ODU_DEMO_VERSION
#define ODU_DEMO_VERSION "0.0.0"
#endif

namespace {

struct KnownOption
{
    const char* name;
    bool takesValue;
};

constexpr KnownOption kOptions[] = {
    {"--screenshot", true},
    {"--catalogue", true},
    {"--remote", false},
    {"--mark-defects", false},
    {"--palette", true},
    {"--screen", true},
    {"--help", false},
    {"--version", false},
};

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

// The value of an option in raw arguments, "--opt VALUE" or "--opt=VALUE".
std::optional<QString> rawValue(int argc, char** argv, const char* option)
{
    const QByteArray name(option);
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == name)
            return i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString();
        if (arg.startsWith(name + '='))
            return QString::fromLocal8Bit(arg.mid(name.size() + 1));
    }
    return std::nullopt;
}

DemoOptions failure(const QString& message)
{
    DemoOptions o;
    o.action = DemoOptions::Action::Error;
    o.error = message;
    return o;
}

} // namespace

DemoOptions parseCommandLine(const QStringList& args)
{
    DemoOptions options;
    bool help = false;
    bool version = false;
    bool screenshot = false;
    bool screenGiven = false;
    QStringList seen;

    for (int i = 1; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (arg == QLatin1String("-h"))
            arg = QStringLiteral("--help");
        else if (arg == QLatin1String("-v"))
            arg = QStringLiteral("--version");

        if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")
            || arg == QLatin1String("--"))
            return failure(QStringLiteral("unexpected argument '%1'").arg(arg));

        QString name = arg;
        QString value;
        bool inlineValue = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0) {
            name = arg.left(eq);
            value = arg.mid(eq + 1);
            inlineValue = true;
        }

        const KnownOption* known = nullptr;
        for (const KnownOption& s : kOptions) {
            if (name == QLatin1String(s.name))
                known = &s;
        }
        if (!known)
            return failure(QStringLiteral("unknown option '%1'").arg(name));
        if (seen.contains(name))
            return failure(QStringLiteral("option '%1' given more than once").arg(name));
        seen.append(name);

        if (known->takesValue) {
            if (!inlineValue) {
                if (i + 1 >= args.size())
                    return failure(QStringLiteral("option '%1' needs a value").arg(name));
                value = args.at(++i);
            }
            if (value.isEmpty())
                return failure(QStringLiteral("option '%1' needs a non-empty value").arg(name));
        } else if (inlineValue) {
            return failure(QStringLiteral("option '%1' takes no value").arg(name));
        }

        if (name == QLatin1String("--screenshot")) {
            screenshot = true;
            options.screenshotDir = value;
        } else if (name == QLatin1String("--catalogue")) {
            options.catalogue = value;
        } else if (name == QLatin1String("--remote")) {
            options.remote = true;
        } else if (name == QLatin1String("--mark-defects")) {
            options.markDefects = true;
        } else if (name == QLatin1String("--palette")) {
            if (!demoPaletteNames().contains(value))
                return failure(QStringLiteral("unknown palette '%1' (one of: %2)")
                                   .arg(value, demoPaletteNames().join(QStringLiteral(", "))));
            options.palette = value;
        } else if (name == QLatin1String("--screen")) {
            const std::optional<QSize> screen = parseScreen(value);
            if (!screen)
                return failure(QStringLiteral("option '--screen' needs WIDTHxHEIGHT, each 200 to 16384 "
                                              "pixels, not '%1'").arg(value));
            options.screen = *screen;
            screenGiven = true;
        } else if (name == QLatin1String("--help")) {
            help = true;
        } else if (name == QLatin1String("--version")) {
            version = true;
        }
    }

    if (options.markDefects && !screenshot && !help && !version)
        return failure(QStringLiteral("option '--mark-defects' needs --screenshot"));
    if (screenGiven && !screenshot && !help && !version)
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

QString helpText(const QString& programName)
{
    return QStringLiteral(
               "Usage: %1 [--catalogue FILE] [--remote] [--palette NAME] [Qt options]\n"
               "       %1 --screenshot DIR [--catalogue FILE] [--remote] [--mark-defects]\n"
               "          [--palette NAME] [--screen WIDTHxHEIGHT] [Qt options]\n"
               "\n"
               "Demo host for the QoS and VLAN dialogs of the ODU switch plug-in. It keeps\n"
               "the QoS (40 bytes) and VLAN (82 bytes) configuration arrays of a local and a\n"
               "remote unit, opens the dialogs over them exactly as a host program does and\n"
               "shows what the dialogs wrote.\n"
               "\n"
               "Options:\n"
               "  --screenshot DIR  Open every page of both dialogs offscreen, write one PNG\n"
               "                    per page and one of the VID entry dialog into DIR (which\n"
               "                    must exist), print their paths and exit.\n"
               "  --catalogue FILE  Language catalogue (INI file) for captions and messages;\n"
               "                    without it the dialogs use their English texts.\n"
               "  --remote          Open the dialogs for the remote unit (window titles).\n"
               "  --mark-defects    With --screenshot: draw a red frame around every caption\n"
               "                    that is clipped, runs into another control or lies\n"
               "                    outside its page.\n"
               "  --palette NAME    The desktop's colours: light (the style's own, the\n"
               "                    default), dark, high-contrast (white on black) or\n"
               "                    high-contrast-white (black on white).\n"
               "  --screen WxH      With --screenshot: the size of the screen the dialogs\n"
               "                    open on, in pixels (default 1280x720).\n"
               "  Qt options        Qt's own, for example -reverse (right to left) or\n"
               "                    -style NAME.\n"
               "  -h, --help        Show this text and exit.\n"
               "  -v, --version     Show the version and exit.\n"
               "\n"
               "Exit codes: 0 success, 1 failure while working, 2 bad command line or\n"
               "unusable screenshot folder.\n")
        .arg(programName);
}

QString versionText()
{
    return QStringLiteral("odu-switch-demo %1").arg(QLatin1String(ODU_DEMO_VERSION));
}

QString checkScreenshotDir(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.exists())
        return QStringLiteral("screenshot folder '%1' does not exist").arg(dir);
    if (!info.isDir())
        return QStringLiteral("screenshot folder '%1' is not a folder").arg(dir);
    // Permission bits say little for a privileged user or on a read-only
    // mount: try to create a file there.
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".odu-switch-demo-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("screenshot folder '%1' is not writable: %2").arg(dir, probe.errorString());
    return {};
}

QString checkCatalogueFile(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("catalogue '%1' does not exist").arg(file);
    if (!info.isFile())
        return QStringLiteral("catalogue '%1' is not a file").arg(file);
    // The library would not read it, and the texts would silently stay English.
    if (info.size() > kCatalogueFileSizeLimit)
        return QStringLiteral("catalogue '%1' is larger than %2 MB, far more than any catalogue")
            .arg(file)
            .arg(kCatalogueFileSizeLimit / (1024 * 1024));
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("catalogue '%1' cannot be read: %2").arg(file, f.errorString());
    return {};
}

bool asksForScreenshots(int argc, char** argv)
{
    return rawValue(argc, argv, "--screenshot").has_value();
}

QSize screenFromArguments(int argc, char** argv)
{
    const std::optional<QString> value = rawValue(argc, argv, "--screen");
    const std::optional<QSize> screen = value ? parseScreen(*value) : std::nullopt;
    return screen.value_or(DemoOptions().screen);
}
