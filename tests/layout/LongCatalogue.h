// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// A catalogue whose every text is 40 % longer than the English one (at least
// two letters more), accelerators and line breaks kept: a stand-in for a
// long translation, made from the caption tables.

#include "core/CaptionTables.h"
#include "core/IniFile.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QTemporaryFile>

#include <memory>

inline QString paddedText(const QString& english, int percent)
{
    static const QString letters = QStringLiteral("aeiounrstl");
    const int extra = qMax(2, (english.size() * percent + 99) / 100);
    QString padded = english;
    for (int i = 0; i < extra; ++i)
        padded += letters.at(i % letters.size());
    return padded;
}

// Every key of the tables with the text makeText gives for its first row
// (an empty text leaves the key out).
template<typename MakeText>
std::unique_ptr<TIniFile> catalogueFromTables(MakeText makeText)
{
    const QByteArray text = CaptionTables::catalogueText(makeText);
    // From a file: the QoS dialog reads its captions only from a catalogue
    // that has a file name. The text is read at construction.
    QTemporaryFile file;
    if (!file.open())
        return nullptr;
    file.write(text);
    file.close();
    return std::make_unique<TIniFile>(file.fileName());
}

inline std::unique_ptr<TIniFile> longCatalogue()
{
    return catalogueFromTables(
        [](const CaptionRow& row) { return paddedText(QString::fromUtf8(row.english), 40); });
}
