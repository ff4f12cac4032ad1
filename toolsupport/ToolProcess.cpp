// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "toolsupport/ToolProcess.h"

#include "core/RegularFile.h"

#include <csignal>
#include <cstdio>

namespace {

QString& programName()
{
    static QString name;
    return name;
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
    const QByteArray text = QStringLiteral("%1: %2\n").arg(programName(), message).toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
    std::fflush(stderr);
}
