// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The translators' own tools (gettext, the translate toolkit, Qt's
// lconvert), found and run as a translator runs them.

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

// Where a tool lies: Qt's tools outside PATH first; empty when missing.
inline QString peerTool(const QString& name)
{
    const QString qtTool = QStringLiteral("/usr/lib/qt6/bin/") + name;
    if (QFile::exists(qtTool))
        return qtTool;
    return QStandardPaths::findExecutable(name);
}

struct PeerToolRun
{
    int exitCode = -1; // -1: did not finish, or crashed
    QString output;    // standard output and error, merged
};

inline PeerToolRun runPeerTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    PeerToolRun run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}
