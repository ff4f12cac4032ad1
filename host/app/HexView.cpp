// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/HexView.h"

#include <algorithm>

QList<int> changedOffsets(const QByteArray& before, const QByteArray& after)
{
    QList<int> offsets;
    const int n = int(std::max(before.size(), after.size()));
    for (int i = 0; i < n; ++i) {
        if (i >= before.size() || i >= after.size() || before.at(i) != after.at(i))
            offsets.append(i);
    }
    return offsets;
}

namespace {

QString hexByte(char b)
{
    return QStringLiteral("%1").arg(uint(uchar(b)), 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString hexBytes(const QByteArray& bytes)
{
    QStringList parts;
    parts.reserve(bytes.size());
    for (char b : bytes)
        parts.append(hexByte(b));
    return parts.join(QLatin1Char(' '));
}

QString hexDumpHtml(const QByteArray& bytes, const QByteArray& reference)
{
    constexpr int kRow = 16;
    const bool compare = !reference.isEmpty();
    QString html = QStringLiteral("<pre style=\"font-family: monospace;\">");
    for (int row = 0; row < bytes.size(); row += kRow) {
        html += QStringLiteral("<span style=\"color: gray;\">%1</span>  ")
                    .arg(row, 2, 10, QLatin1Char(' '));
        for (int i = row; i < std::min<int>(row + kRow, int(bytes.size())); ++i) {
            if (i > row)
                html += QLatin1Char(' ');
            const bool changed = compare && (i >= reference.size() || reference.at(i) != bytes.at(i));
            if (changed) {
                html += QStringLiteral("<span style=\"background-color: #ffd54f; font-weight: bold;\">%1</span>")
                            .arg(hexByte(bytes.at(i)));
            } else {
                html += hexByte(bytes.at(i));
            }
        }
        html += QLatin1Char('\n');
    }
    html += QStringLiteral("</pre>");
    return html;
}
