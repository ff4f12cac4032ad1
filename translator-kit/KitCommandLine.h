// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

// What the translator kit was asked to do.
struct KitRequest
{
    enum class Command { Help, Template, Check, Pseudo, Measure, Error };

    Command command = Command::Help;
    QString file;   // check / measure: the catalogue
    QString output; // template / pseudo: -o FILE; empty = standard output
    int expandPercent = 40;
    int density = 0; // check: examine the geometry at this density only (0: at each checked one)
    QString error;
};

// Exit codes.
constexpr int kKitClean = 0;
constexpr int kKitFindings = 1;
constexpr int kKitUnusable = 2; // an unreadable file or a bad command line

// args[0] is the program. Accepts "-o FILE", "--output FILE", "--output=FILE",
// "--expand PCT", "--expand=PCT", "--density DPI", "--density=DPI".
KitRequest parseKitCommandLine(const QStringList& args);

QString kitHelpText(const QString& programName);
