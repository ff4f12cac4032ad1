// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the demo host was asked to do on its command line.
struct DemoOptions
{
    enum class Action {
        RunWindow,  // the interactive host window
        Screenshot, // render every dialog page into PNG files and exit
        Help,
        Version,
        Error,      // a bad command line; `error` says what is wrong
    };

    Action action = Action::RunWindow;
    QString screenshotDir; // --screenshot DIR
    QString catalogue;     // --catalogue FILE: a language catalogue; empty = English
    bool remote = false;   // --remote: the remote unit instead of the local one
    bool markDefects = false; // --mark-defects: red frames around ill-fitting captions in the pictures
    QString palette;       // --palette NAME: a desktop theme (see DemoPalettes.h); empty = the style's own
    QSize screen{1280, 720}; // --screen WIDTHxHEIGHT: the screen the pictures are drawn on
    QString error;
};

// Exit codes of the program.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1; // something went wrong while working
constexpr int kExitUsage = 2;   // a bad command line or an unusable output folder

// Parses the program's arguments, after the application object has taken
// Qt's own options (-reverse, -style, ...) from them (args[0] is the program itself). Accepts
// "--opt VALUE" and "--opt=VALUE"; an unknown option, a missing or empty
// value, a repeated option or a stray argument is an error. --help and
// --version win over the other options once the line has parsed.
DemoOptions parseCommandLine(const QStringList& args);

// The usage text printed by --help.
QString helpText(const QString& programName);
// The line printed by --version.
QString versionText();

// Checks the screenshot folder before anything is drawn: it must exist, be a
// folder and accept a new file. Returns an empty string when it does,
// otherwise the message to print.
QString checkScreenshotDir(const QString& dir);

// Checks a catalogue named on the command line: it must be a readable file.
// (The catalogue class itself reads a missing file as an empty catalogue,
// which would silently show English where a translator expects their text.)
QString checkCatalogueFile(const QString& file);

// Before the application object exists: whether the arguments ask for the
// screenshot mode, and the screen it should draw on (the default when none is
// named or the value is bad; parseCommandLine reports that).
bool asksForScreenshots(int argc, char** argv);
QSize screenFromArguments(int argc, char** argv);
