// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/PoReader.h"

#include "core/HexDigit.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

namespace {

constexpr qsizetype kPoReferenceLimit = 16;

// One entry's strings as bytes: gettext's escapes stand for bytes, which only
// together form the text.
struct RawEntry
{
    QByteArray context, id, idPlural, str;
    bool hasContext = false, hasId = false, hasStr = false, plural = false;
    QStringList references;
    QString unitId; // lconvert's "#. ts-id"
    bool fuzzy = false;
    bool obsolete = false;        // a "#~" line was seen
    bool obsoleteStrings = false; // ... holding the entry's strings
    bool any = false;             // anything but blank lines seen
    int line = 0;
};

bool decodeUtf8(const QByteArray& bytes, QString& out)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

// The translate toolkit's quoting of a location undone: '+' a blank, %XX a byte.
QString unquotePlus(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('+', ' ');
    return QUrl::fromPercentEncoding(bytes);
}

QString headerField(const QString& header, QLatin1StringView name)
{
    for (const QString& line : header.split(QLatin1Char('\n'))) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

} // namespace

bool poUnescape(QStringView quoted, QByteArray& bytes)
{
    if (quoted.size() < 2 || !quoted.startsWith(QLatin1Char('"')) || !quoted.endsWith(QLatin1Char('"')))
        return false;
    const QByteArray body = quoted.sliced(1, quoted.size() - 2).toUtf8();
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c == '"')
            return false;
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i >= body.size())
            return false;
        const char e = body.at(i);
        switch (e) {
        case 'n': bytes += '\n'; break;
        case 'r': bytes += '\r'; break;
        case 't': bytes += '\t'; break;
        case '"': bytes += '"'; break;
        case '\\': bytes += '\\'; break;
        case 'a': bytes += '\a'; break;
        case 'b': bytes += '\b'; break;
        case 'f': bytes += '\f'; break;
        case 'v': bytes += '\v'; break;
        case 'x': {
            // As gettext reads it: every hex digit that follows, one byte.
            int value = 0;
            qsizetype digits = 0;
            while (i + 1 < body.size() && hexDigitValue(static_cast<unsigned char>(body.at(i + 1))) >= 0) {
                value = value * 16 + hexDigitValue(static_cast<unsigned char>(body.at(++i)));
                if (value > 0xFF)
                    return false;
                ++digits;
            }
            if (digits == 0)
                return false;
            bytes += char(value);
            break;
        }
        default: {
            if (e < '0' || e > '7')
                return false;
            // Up to three octal digits, one byte.
            int value = e - '0';
            for (int n = 1; n < 3 && i + 1 < body.size() && body.at(i + 1) >= '0' && body.at(i + 1) <= '7'; ++n)
                value = value * 8 + (body.at(++i) - '0');
            if (value > 0xFF)
                return false;
            bytes += char(value);
        }
        }
    }
    return true;
}

TranslationFile readPo(const QString& text)
{
    TranslationFile file;
    RawEntry current;
    QByteArray* field = nullptr;
    bool inStrings = false; // the entry's strings have begun: a comment starts a new one
    bool haveHeader = false;
    int number = 0;

    auto fail = [&](const QString& what) { file.error = QStringLiteral("line %1: %2").arg(number).arg(what); };
    // Ends the entry being read; false (with the error set) when it is malformed.
    auto finish = [&]() {
        RawEntry entry = std::exchange(current, RawEntry());
        field = nullptr;
        inStrings = false;
        if (!entry.any || entry.obsolete)
            return true;
        if (!entry.hasId && !entry.hasStr && !entry.hasContext)
            return true; // comments only
        if (!entry.hasId || !entry.hasStr) {
            file.error = QStringLiteral("line %1: an entry without %2")
                             .arg(entry.line)
                             .arg(entry.hasId ? QStringLiteral("msgstr") : QStringLiteral("msgid"));
            return false;
        }
        TranslationEntry out;
        QString context;
        if (!decodeUtf8(entry.context, context) || !decodeUtf8(entry.id, out.source)
            || !decodeUtf8(entry.str, out.target)) {
            file.error = QStringLiteral("line %1: the entry's escapes (\\ooo, \\xHH) do not form UTF-8")
                             .arg(entry.line);
            return false;
        }
        if (!entry.hasContext && out.source.isEmpty() && !haveHeader) {
            haveHeader = true;
            const QString charset = headerField(out.target, QLatin1StringView("Content-Type"))
                                        .section(QLatin1String("charset="), 1)
                                        .section(QLatin1Char(';'), 0, 0)
                                        .trimmed();
            static const QStringList readable{QStringLiteral("UTF-8"), QStringLiteral("UTF8"),
                                              QStringLiteral("ASCII"), QStringLiteral("US-ASCII"),
                                              QStringLiteral("CHARSET"), QString()};
            if (!readable.contains(charset.toUpper())) {
                file.error = QStringLiteral("line %1: the header says charset=%2; convert the file to UTF-8 first "
                                            "(msgconv --to-code=UTF-8)")
                                 .arg(entry.line)
                                 .arg(printable(charset, 40));
                return false;
            }
            file.language = headerField(out.target, QLatin1StringView("Language"));
            if (file.language.isEmpty())
                file.language = headerField(out.target, QLatin1StringView("X-Language"));
            return true;
        }
        if (entry.hasContext)
            out.names.append(context);
        for (const QString& reference : std::as_const(entry.references)) {
            const QString unquoted = unquotePlus(reference);
            out.names.append(unquoted);
            if (unquoted != reference)
                out.names.append(reference);
        }
        if (!entry.unitId.isEmpty())
            out.names.append(entry.unitId);
        out.fuzzy = entry.fuzzy;
        out.plural = entry.plural;
        out.line = entry.line;
        file.entries.push_back(std::move(out));
        return true;
    };

    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList lines = text.split(lineBreak);
    for (const QString& raw : lines) {
        ++number;
        const QString line = raw.trimmed();
        if (line.isEmpty()) {
            if (!finish())
                return file;
            continue;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            const bool obsolete = line.startsWith(QLatin1String("#~"));
            // A comment after the strings, or a live comment after an
            // obsolete entry's strings, begins the next entry.
            if ((inStrings || (current.obsoleteStrings && !obsolete)) && !finish())
                return file;
            if (current.line == 0)
                current.line = number;
            current.any = true;
            if (obsolete) {
                current.obsolete = true;
                const QString rest = line.mid(2).trimmed();
                current.obsoleteStrings = current.obsoleteStrings || rest.startsWith(QLatin1String("msg"))
                    || rest.startsWith(QLatin1Char('"'));
            } else if (line.startsWith(QLatin1String("#,"))) {
                for (const QString& flag : line.mid(2).split(QLatin1Char(',')))
                    current.fuzzy = current.fuzzy || flag.trimmed() == QLatin1String("fuzzy");
            } else if (line.startsWith(QLatin1String("#:"))) {
                // The kit writes one reference, merged files a few: the
                // first ones place an entry, a long list only costs time.
                for (const QString& reference : line.mid(2).split(blanks, Qt::SkipEmptyParts)) {
                    if (current.references.size() < kPoReferenceLimit)
                        current.references += reference;
                }
            } else if (line.startsWith(QLatin1String("#."))) {
                const QString comment = line.mid(2).trimmed();
                if (comment.startsWith(QLatin1String("ts-id ")))
                    current.unitId = comment.mid(6).trimmed();
            }
            continue;
        }
        QString rest;
        if (line.startsWith(QLatin1Char('"'))) {
            if (!field) {
                fail(QStringLiteral("a string outside an entry"));
                return file;
            }
            rest = line;
        } else {
            const qsizetype blank = line.indexOf(blanks);
            const QString keyword = line.left(blank);
            rest = blank < 0 ? QString() : line.mid(blank).trimmed();
            const bool starts = keyword == QLatin1String("msgctxt") || keyword == QLatin1String("msgid");
            if (starts && (current.obsoleteStrings || (inStrings && (keyword == QLatin1String("msgctxt")
                                                                    || field != &current.context)))) {
                if (!finish())
                    return file;
            }
            if (current.line == 0)
                current.line = number;
            current.any = true;
            inStrings = true;
            if (keyword == QLatin1String("msgctxt")) {
                current.hasContext = true;
                field = &current.context;
            } else if (keyword == QLatin1String("msgid")) {
                current.hasId = true;
                field = &current.id;
            } else if (keyword == QLatin1String("msgid_plural")) {
                current.plural = true;
                field = &current.idPlural;
            } else if (keyword == QLatin1String("msgstr") || keyword == QLatin1String("msgstr[0]")) {
                current.hasStr = true;
                field = &current.str;
            } else if (keyword.startsWith(QLatin1String("msgstr["))) {
                current.plural = true;
                field = &current.idPlural; // later plural forms: not a catalogue's
            } else {
                fail(QStringLiteral("not PO: the keyword \"%1\" is unknown").arg(printable(keyword, 40)));
                return file;
            }
        }
        if (!poUnescape(rest, *field)) {
            fail(QStringLiteral("a malformed string (a bad escape or an unquoted '\"')"));
            return file;
        }
    }
    finish();
    return file;
}
