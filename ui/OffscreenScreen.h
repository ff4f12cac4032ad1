// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The offscreen platform with one screen of a chosen size, for drawing and
// measuring the dialogs without a desktop (the demo host's pictures, the
// translator kit's geometry check, the small-screen tests).

#include <QSaveFile>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

// Describes one screen of `size` at 96 dots per inch in a file in `dir`, which
// must outlive every application that reads it, and gives the value of
// QT_QPA_PLATFORM that names it; empty when the file could not be written.
inline QString offscreenScreenPlatform(QSize size, const QTemporaryDir& dir)
{
    if (!dir.isValid() || size.isEmpty())
        return {};
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    const QByteArray json = QStringLiteral("{\"screens\": [{\"name\": \"offscreen\", \"x\": 0, \"y\": 0, "
                                           "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}\n")
                                .arg(size.width())
                                .arg(size.height())
                                .toUtf8();
    QSaveFile file(path);
    // Unbuffered: a write refused (a file size limit, a full disk) fails
    // here, where a buffered one would leave an empty file behind a commit
    // that succeeds.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(json) != json.size() || !file.commit())
        return {};
    return QStringLiteral("offscreen:configfile=") + path;
}
