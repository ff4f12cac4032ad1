// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/UnitId.h"

#include "core/HexDigit.h"

#include <QByteArray>

namespace {

// Letters, digits and '_' of ASCII, whatever the C locale says.
bool plainIdCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

} // namespace

QString unitIdOf(const QString& section, const QString& key)
{
    QString out = section + QLatin1Char('.');
    for (unsigned char byte : key.toUtf8()) {
        if (plainIdCharacter(byte))
            out += QLatin1Char(char(byte));
        else
            out += QStringLiteral("-%1").arg(uint(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

bool keyOfUnitId(QStringView id, QString& section, QString& key)
{
    const qsizetype dot = id.indexOf(QLatin1Char('.'));
    if (dot <= 0 || dot + 1 >= id.size())
        return false;
    for (QChar c : id.first(dot)) {
        if (!plainIdCharacter(c.unicode()))
            return false;
    }
    QByteArray bytes;
    for (qsizetype i = dot + 1; i < id.size(); ++i) {
        const char16_t c = id.at(i).unicode();
        if (plainIdCharacter(c)) {
            bytes += char(c);
            continue;
        }
        if (c != u'-' || i + 2 >= id.size())
            return false;
        const int high = hexDigitValue(id.at(i + 1).unicode());
        const int low = hexDigitValue(id.at(i + 2).unicode());
        if (high < 0 || low < 0)
            return false;
        bytes += char(high * 16 + low);
        i += 2;
    }
    const QString decoded = QString::fromUtf8(bytes);
    if (decoded.toUtf8() != bytes)
        return false; // not UTF-8
    section = id.first(dot).toString();
    key = decoded;
    return true;
}

