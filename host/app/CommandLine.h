// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/Result.h"

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
    QString language;      // --language CODE: an installed catalogue, by its language code
    bool remote = false;   // --remote: the remote unit instead of the local one
    bool markDefects = false; // --mark-defects: red frames around ill-fitting captions in the pictures
    QString palette;       // --palette NAME: a desktop theme (see DemoPalettes.h); empty = the style's own
    QSize screen{1280, 720}; // --screen WIDTHxHEIGHT: the screen the pictures are drawn on
    // --owner-direction ltr|rtl: the host's own window (the dialogs' owner)
    // in this direction, whatever the application's (rtl: right to left while
    // the application stays left to right); Auto: as the application.
    Qt::LayoutDirection ownerDirection = Qt::LayoutDirectionAuto;
    int vlanMode = -1;        // --vlan-mode disable|single|double: 0, 1, 2; -1 as the array has it
    bool sampleTable = false; // --sample-table: a few static VLAN entries in the VLAN array
    QString error;
};

// The exit codes are the programs' common table (toolsupport/ToolProcess.h).

// The names --vlan-mode accepts, in the order of the VLAN modes (0, 1, 2).
QStringList vlanModeNames();

// Parses the program's arguments (args[0] is the program itself) with
// QCommandLineParser, after the application object has taken Qt's own
// options (-reverse, -style, ...) from them. Accepts "--opt VALUE" and
// "--opt=VALUE"; an unknown option, a missing or empty value, a repeated
// option, a stray argument or options that exclude each other are an error,
// in the parser's words where it has them. --help and --version win over
// the other options once the line has parsed.
DemoOptions parseCommandLine(const QStringList& args);

// The usage text printed by --help (needs the application object).
QString helpText();
// The line printed by --version.
QString versionText();

// Before the application object exists: whether the arguments ask for the
// screenshot mode, and the screen it should draw on (the default when none
// is named or the value is bad; parseCommandLine reports that).
bool asksForScreenshots(int argc, char** argv);
QSize screenFromArguments(int argc, char** argv);

// Checks the screenshot folder before anything is drawn: it must exist, be
// a folder and accept a new file.
Result<void> checkScreenshotDir(const QString& dir);

// Checks a catalogue named on the command line: it must be a readable file.
// (The catalogue class itself reads a missing file as an empty catalogue,
// which would silently show English where a translator expects their text.)
Result<void> checkCatalogueFile(const QString& file);

// A catalogue that is not UTF-8 (a Latin-1 or cp1251 file, say) is read all
// the same, but every byte that does not decode shows as U+FFFD in the
// dialogs; one in UTF-16 without a byte order mark, or with NUL bytes, is
// not read as text at all. The warning for such a file (what is wrong and
// where, and what to do; the rule of toolsupport/TextEncoding.h), or an
// empty text for a file that decodes (UTF-8, or UTF-16 with a byte order
// mark) or cannot be read at all.
QString catalogueEncodingWarning(const QString& file);

// The folders that may hold the installed catalogues (<code>.ini), first
// found first: next to the program's installation prefix
// (<prefix>/share/odu-switch-dialogs/translations beside <prefix>/bin), which
// in the build tree is where the build puts a copy of them.
QStringList catalogueFolders();
// The language codes of the catalogues in those folders, sorted.
QStringList availableLanguages(const QStringList& folders);
// The installed catalogue of a language: "de", "pt_BR" (or "pt-BR", in any
// letter case). An unknown code fails with the list of the codes there are.
Result<QString> installedCatalogue(const QString& code, const QStringList& folders);
