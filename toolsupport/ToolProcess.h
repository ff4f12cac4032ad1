// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

#include <functional>

// The frame of every program of the project (odu-switch,
// odu-switch-translate, odu-switch-demo): one start, one end, one table of
// exit codes and one way to print a message, so that a script reads the
// three alike.

// What a program's exit code says.
enum ToolExit : int {
    ToolDone = 0,     // done: written, shown, the same, clean
    ToolFindings = 1, // done, and found something: a difference, a finding
    ToolTrouble = 2,  // not done: a bad command line, an unreadable or unwritable file, lost output
};

// Runs a program's work. Before it: the standard descriptors 0, 1 and 2 are
// made sure to be open (a program started with one closed would otherwise
// write into the first file it opens), and SIGXFSZ is ignored (past a file
// size limit a write fails and is reported instead of killing the program
// halfway). After it: standard output and standard error are flushed and
// standard output closed; output that did not arrive (a full disk,
// /dev/full, a closed descriptor) is reported and makes the exit code
// ToolTrouble, so that a script never takes lost output for success.
// `program` is the name that messages start with.
int runTool(const QString& program, const std::function<int()>& work);

// Prints "program: message" and a line break to standard error, the
// message in the local encoding; program as given to runTool (outside
// runTool: the application's name).
void printToolMessage(const QString& message);

// What a run of this same program as a child printed with printToolMessage,
// without the "program: " each of its lines starts with, to be passed on
// inside a message of one's own.
QString childToolMessage(const QString& printed);

// A command line the program cannot take: prints the message as
// printToolMessage does and "Try 'program --help'." below it; returns
// ToolTrouble.
int usageError(const QString& message);
