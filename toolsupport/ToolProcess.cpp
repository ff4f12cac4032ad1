// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "toolsupport/ToolProcess.h"

#include "core/RegularFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>

namespace {

QString& programName()
{
    static QString name;
    return name;
}

// The name messages start with: the program's, else (code of a program run
// outside runTool, as in a test) the application's.
QString messageName()
{
    return programName().isEmpty() ? QCoreApplication::applicationName() : programName();
}

} // namespace

int runTool(const QString& program, const std::function<int()>& work)
{
    programName() = program;
    // Before anything is opened.
    claimStandardDescriptors();
    std::signal(SIGXFSZ, SIG_IGN);
    const int code = work();
    if (const Result<void> closed = closeStandardStreams(); !closed) {
        printToolMessage(closed.error());
        return ToolTrouble;
    }
    return code;
}

void printToolMessage(const QString& message)
{
    const QByteArray text = QStringLiteral("%1: %2\n").arg(messageName(), message).toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
    std::fflush(stderr);
}

QString childToolMessage(const QString& printed)
{
    const QString prefix = messageName() + QStringLiteral(": ");
    QStringList lines = printed.trimmed().split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.startsWith(prefix))
            line.remove(0, prefix.size());
    }
    return lines.join(QLatin1Char('\n'));
}

int usageError(const QString& message)
{
    printToolMessage(QStringLiteral("%1\nTry '%2 --help'.").arg(message, messageName()));
    return ToolTrouble;
}
