// odu-switch-demo: a host program for the QoS and VLAN dialogs, using the
// plug-in exactly as a host does. See --help.

#include "host/core/CommandLine.h"
#include "host/core/DemoWindow.h"
#include "host/core/Screenshots.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int usageError(const QString& program, const QString& message)
{
    print(stderr, QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, message));
    return kExitUsage;
}

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const QString program = argc > 0 ? QFileInfo(args.first()).fileName() : QStringLiteral("odu-switch-demo");

    const DemoOptions options = parseCommandLine(args);
    switch (options.action) {
    case DemoOptions::Action::Error:
        return usageError(program, options.error);
    case DemoOptions::Action::Help:
        print(stdout, helpText(program));
        return kExitOk;
    case DemoOptions::Action::Version:
        print(stdout, versionText() + QLatin1Char('\n'));
        return kExitOk;
    case DemoOptions::Action::Screenshot:
    case DemoOptions::Action::RunWindow:
        break;
    }

    if (!options.catalogue.isEmpty()) {
        const QString problem = checkCatalogueFile(options.catalogue);
        if (!problem.isEmpty())
            return usageError(program, problem);
    }

    if (options.action == DemoOptions::Action::Screenshot) {
        const QString problem = checkScreenshotDir(options.screenshotDir);
        if (!problem.isEmpty())
            return usageError(program, problem);
        // Nothing appears on screen, with or without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        ScreenshotRequest request;
        request.dir = options.screenshotDir;
        request.catalogue = options.catalogue;
        request.remote = options.remote;
        request.markDefects = options.markDefects;
        const ScreenshotResult result = takeScreenshots(request);
        for (const QString& file : result.files)
            print(stdout, file + QLatin1Char('\n'));
        if (!result.error.isEmpty()) {
            print(stderr, QStringLiteral("%1: %2\n").arg(program, result.error));
            return kExitFailure;
        }
        return kExitOk;
    }

    if (!haveDisplay()) {
        print(stderr, QStringLiteral("%1: no display available (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                                     "Run '%1 --screenshot DIR' to draw every dialog page into PNG files instead.\n")
                          .arg(program));
        return kExitFailure;
    }

    QApplication app(argc, argv);
    DemoWindow window(options.catalogue, options.remote);
    window.show();
    return app.exec();
}
