#include "host/core/CommandLine.h"

#include "core/CatalogueFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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
    {"--help", false},
    {"--version", false},
};

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
        } else if (name == QLatin1String("--help")) {
            help = true;
        } else if (name == QLatin1String("--version")) {
            version = true;
        }
    }

    if (options.markDefects && !screenshot && !help && !version)
        return failure(QStringLiteral("option '--mark-defects' needs --screenshot"));
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
               "Usage: %1 [--catalogue FILE] [--remote]\n"
               "       %1 --screenshot DIR [--catalogue FILE] [--remote] [--mark-defects]\n"
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
