// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "tests/support/ProgramRun.h"

#include <QString>
#include <QStringList>

// One run of the translator kit's executable, as a translator starts it.
struct KitRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline KitRun runKit(const QStringList& args, const std::function<void()>& childSetup = {},
                     const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    ProgramRunOptions options;
    options.environment = environment;
    options.timeoutMs = 300000;
    options.childSetup = childSetup;
    const ProgramRun run = runProgram(QStringLiteral(ODU_TRANSLATE_PROGRAM), args, options);
    KitRun kit;
    kit.exitCode = run.exitCode;
    kit.out = QString::fromUtf8(run.out);
    kit.err = QString::fromUtf8(run.err);
    if (!run.finishedNormally && kit.err.isEmpty())
        kit.err = QStringLiteral("the kit did not finish");
    return kit;
}
