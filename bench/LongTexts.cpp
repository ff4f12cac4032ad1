// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "bench/LongTexts.h"

#include "core/CaptionTables.h"

#include <QString>

QByteArray catalogueWithTextsOf(int length)
{
    return QByteArray("; every text about ") + QByteArray::number(length) + " characters long\n"
        + CaptionTables::catalogueText([length](const CaptionRow& row) {
              const QString english = QString::fromUtf8(row.english) + QLatin1Char(' ');
              QString text;
              text.reserve(length + english.size());
              while (text.size() < length)
                  text += english;
              return text.left(length);
          });
}
