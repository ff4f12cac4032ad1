// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// One run of a program that the build made (the tool, the translator kit,
// the demo host), as a user starts it from a shell.

struct ProgramRunOptions
{
    QByteArray input;       // written to standard input, which is then closed
    QString workingDir;     // empty: the test's own
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    int timeoutMs = 120000; // then the program is killed
    // Runs in the started process just before the program replaces it, after
    // its standard streams are connected: limits (setrlimit), or another
    // standard output (dup2 of /dev/full, close). Only async-signal-safe calls.
    std::function<void()> childSetup;
};

struct ProgramRun
{
    bool finishedNormally = false; // false: it crashed or was killed after the timeout
    int exitCode = -1;             // -1 unless it finished normally
    QByteArray out;
    QByteArray err;
};

ProgramRun runProgram(const QString& program, const QStringList& args, const ProgramRunOptions& options = {});
