#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>

// One run of the translator kit's executable, as a translator starts it.
struct KitRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

inline KitRun runKit(const QStringList& args)
{
    QProcess kit;
    kit.start(QStringLiteral(ODU_TRANSLATE_PROGRAM), args);
    KitRun run;
    if (!kit.waitForFinished(300000)) {
        kit.kill();
        kit.waitForFinished();
        run.err = QStringLiteral("the kit did not finish");
        return run;
    }
    run.exitCode = kit.exitStatus() == QProcess::NormalExit ? kit.exitCode() : -1;
    run.out = QString::fromUtf8(kit.readAllStandardOutput());
    run.err = QString::fromUtf8(kit.readAllStandardError());
    return run;
}
