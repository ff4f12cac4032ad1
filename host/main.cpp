// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// odu-switch-demo: a host program for the QoS and VLAN dialogs, using the
// plug-in exactly as a host does. See --help.

#include "host/app/CommandLine.h"
#include "host/app/DemoPalettes.h"
#include "host/app/DemoWindow.h"
#include "host/app/Screenshots.h"
#include "toolsupport/ToolProcess.h"
#include "ui/OffscreenScreen.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

// Standard output: the help, the version, the pictures drawn. (A loss is
// reported at the end, by runTool.)
void print(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The offscreen platform with one screen of the given size, described in a
// file that lives as long as the program.
bool useOffscreenScreen(QSize size, QTemporaryDir& dir)
{
    const QString platform = offscreenScreenPlatform(size, dir);
    if (platform.isEmpty())
        return false;
    qputenv("QT_QPA_PLATFORM", QFile::encodeName(platform));
    return true;
}

int runDemo(int argc, char** argv)
{
    // Qt's own options (-reverse, -style, ...) are taken by the application
    // object, which needs a display; the screenshot mode draws offscreen on
    // a screen of the size asked for, whatever the session.
    const bool screenshots = asksForScreenshots(argc, argv);
    QTemporaryDir screenDir;
    if (screenshots && !useOffscreenScreen(screenFromArguments(argc, argv), screenDir)) {
        printToolMessage(QStringLiteral("could not describe the screen to draw on"));
        return ToolTrouble;
    }
    // Without a display there is no window, but the command line is read,
    // and --help answered, all the same.
    std::unique_ptr<QCoreApplication> app;
    if (screenshots || haveDisplay())
        app = std::make_unique<QApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("odu-switch-demo"));

    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    DemoOptions options = parseCommandLine(args);
    switch (options.action) {
    case DemoOptions::Action::Error:
        return usageError(options.error);
    case DemoOptions::Action::Help:
        print(helpText());
        return ToolDone;
    case DemoOptions::Action::Version:
        print(versionText() + QLatin1Char('\n'));
        return ToolDone;
    case DemoOptions::Action::Screenshot:
    case DemoOptions::Action::RunWindow:
        break;
    }

    if (!options.language.isEmpty()) {
        const Result<QString> file = installedCatalogue(options.language, catalogueFolders());
        if (!file)
            return usageError(file.error());
        options.catalogue = file.value();
    }
    if (!options.catalogue.isEmpty()) {
        if (const Result<void> usable = checkCatalogueFile(options.catalogue); !usable)
            return usageError(usable.error());
        // The window says so itself when it loads the catalogue.
        if (options.action == DemoOptions::Action::Screenshot)
            if (const QString warning = catalogueEncodingWarning(options.catalogue); !warning.isEmpty())
                printToolMessage(warning);
    }

    if (!qobject_cast<QApplication*>(app.get())) {
        printToolMessage(QStringLiteral("no display available (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                                        "Run 'odu-switch-demo --screenshot DIR' to draw every dialog page into PNG "
                                        "files instead."));
        return ToolTrouble;
    }
    if (!options.palette.isEmpty())
        QApplication::setPalette(*demoPalette(options.palette));

    if (options.action == DemoOptions::Action::Screenshot) {
        if (const Result<void> usable = checkScreenshotDir(options.screenshotDir); !usable)
            return usageError(usable.error());
        ScreenshotRequest request;
        request.dir = options.screenshotDir;
        request.catalogue = options.catalogue;
        request.remote = options.remote;
        request.markDefects = options.markDefects;
        request.ownerDirection = options.ownerDirection;
        request.vlanMode = options.vlanMode;
        request.sampleTable = options.sampleTable;
        const ScreenshotResult result = takeScreenshots(request);
        for (const QString& file : result.files)
            print(file + QLatin1Char('\n'));
        if (!result.error.isEmpty()) {
            printToolMessage(result.error);
            return ToolTrouble;
        }
        return ToolDone;
    }

    DemoWindow window(options.catalogue, options.remote);
    window.presetVlanArrays(options.vlanMode, options.sampleTable);
    if (options.ownerDirection != Qt::LayoutDirectionAuto)
        window.setLayoutDirection(options.ownerDirection);
    window.show();
    return app->exec();
}

} // namespace

int main(int argc, char** argv)
{
    return runTool(QStringLiteral("odu-switch-demo"), [&] { return runDemo(argc, argv); });
}
