// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "tests/support/ProgramRun.h"

#include <QProcess>

ProgramRun runProgram(const QString& program, const QStringList& args, const ProgramRunOptions& options)
{
    QProcess process;
    process.setProcessEnvironment(options.environment);
    if (!options.workingDir.isEmpty())
        process.setWorkingDirectory(options.workingDir);
    if (options.childSetup)
        process.setChildProcessModifier(options.childSetup);
    process.start(program, args);
    process.waitForStarted();
    if (!options.input.isEmpty())
        process.write(options.input);
    process.closeWriteChannel();

    ProgramRun run;
    if (!process.waitForFinished(options.timeoutMs)) {
        process.kill();
        process.waitForFinished();
    } else {
        run.finishedNormally = process.exitStatus() == QProcess::NormalExit;
    }
    if (run.finishedNormally)
        run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
