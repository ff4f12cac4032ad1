// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

// What the translator kit was asked to do, read from its command line.
struct KitRequest
{
    enum class Command { Help, Version, Template, Check, Pseudo, Export, Import, Measure, Error };
    enum class Format { Po, Xliff };

    Command command = Command::Help;
    QString file;     // check, import, measure: the file read; export: the catalogue (empty: none)
    QString output;   // template, pseudo, export, import: -o FILE; empty = standard output
    int expandPercent = 40;
    int density = 0;  // check: examine the geometry at this density only (0: at each checked one)
    Format format = Format::Po;
    QString language; // export, import: the language code (empty: from the catalogue)
    bool rightToLeft = false; // measure: lay the dialogs out right to left
    QString help;     // Help: the text to print
    QString error;
};

// args[0] is the program.
KitRequest parseKitArguments(const QStringList& args);
