// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/StrictJson.h"

#include "core/HexDigit.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr qint64 kLargestNumber = qint64(1) << 53;

class Reader
{
public:
    explicit Reader(QByteArrayView text)
        : m_begin(text.data())
        , m_at(text.data())
        , m_end(text.data() + text.size())
    {
    }

    StrictJson read()
    {
        skipBlanks();
        QJsonValue value;
        if (readValue(value, 0)) {
            skipBlanks();
            if (m_at != m_end)
                fail("not JSON: more text after the value");
        }
        if (!m_error.isEmpty())
            return Failure(JsonProblem{m_error, m_errorAt - m_begin});
        return value;
    }

private:
    bool fail(const QString& why)
    {
        if (m_error.isEmpty()) {
            m_error = why;
            m_errorAt = m_at;
        }
        return false;
    }
    bool fail(const char* why) { return fail(QString::fromLatin1(why)); }

    void skipBlanks()
    {
        while (m_at != m_end && (*m_at == ' ' || *m_at == '\t' || *m_at == '\n' || *m_at == '\r'))
            ++m_at;
    }

    bool readValue(QJsonValue& value, int depth)
    {
        if (m_at == m_end)
            return fail("not JSON: the text ends where a value should be");
        switch (*m_at) {
        case '{':
            return readObject(value, depth + 1);
        case '[':
            return readArray(value, depth + 1);
        case '"': {
            QString s;
            if (!readString(s))
                return false;
            value = s;
            return true;
        }
        case 't':
            return readWord("true", QJsonValue(true), value);
        case 'f':
            return readWord("false", QJsonValue(false), value);
        case 'n':
            return readWord("null", QJsonValue(QJsonValue::Null), value);
        default:
            return readNumber(value);
        }
    }

    bool readWord(const char* word, const QJsonValue& meaning, QJsonValue& value)
    {
        const qsizetype n = qsizetype(std::strlen(word));
        if (m_end - m_at < n || QByteArrayView(m_at, n) != QByteArrayView(word, n))
            return fail("not JSON: an unknown word");
        m_at += n;
        value = meaning;
        return true;
    }

    bool readNumber(QJsonValue& value)
    {
        if (*m_at == '-')
            return fail("a negative number; every number of the format is 0 or more");
        if (*m_at < '0' || *m_at > '9')
            return fail("not JSON: a value cannot start here");
        const char* start = m_at;
        qint64 number = 0;
        while (m_at != m_end && *m_at >= '0' && *m_at <= '9') {
            number = number * 10 + (*m_at - '0');
            ++m_at;
            if (number > kLargestNumber) {
                m_at = start;
                return fail("a number larger than 2^53");
            }
        }
        if (*start == '0' && m_at - start > 1) {
            m_at = start;
            return fail("not JSON: a number with a leading zero");
        }
        if (m_at != m_end && (*m_at == '.' || *m_at == 'e' || *m_at == 'E')) {
            m_at = start;
            return fail("a number with a fraction or an exponent; every number of the format is whole");
        }
        value = QJsonValue(number);
        return true;
    }

    // Four hexadecimal digits after "\u".
    bool readUnit(char16_t& unit)
    {
        if (m_end - m_at < 6)
            return fail("not JSON: a \\u escape with fewer than four digits");
        unit = 0;
        for (int i = 2; i < 6; ++i) {
            const int d = hexDigitValue(static_cast<unsigned char>(m_at[i]));
            if (d < 0)
                return fail("not JSON: a \\u escape with fewer than four digits");
            unit = char16_t(unit * 16 + d);
        }
        m_at += 6;
        return true;
    }

    // Plain UTF-8 from run to m_at, appended; false if it is not UTF-8.
    bool appendPlain(const char* run, QString& s)
    {
        if (run == m_at)
            return true;
        // Each run is decoded on its own: a U+FEFF at the start of a run is
        // a character of the string, not a byte order mark to drop.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString part = decoder.decode(QByteArrayView(run, m_at - run));
        if (decoder.hasError()) {
            m_at = run;
            return fail("a string that is not UTF-8");
        }
        s += part;
        return true;
    }

    bool readString(QString& s)
    {
        ++m_at; // the opening quote
        const char* run = m_at;
        while (m_at != m_end) {
            const unsigned char c = static_cast<unsigned char>(*m_at);
            if (c == '"') {
                if (!appendPlain(run, s))
                    return false;
                ++m_at;
                return true;
            }
            if (c < 0x20)
                return fail("not JSON: a control character in a string");
            if (c != '\\') {
                ++m_at;
                continue;
            }
            if (!appendPlain(run, s))
                return false;
            if (m_end - m_at < 2)
                break;
            const char e = m_at[1];
            char16_t unit = 0;
            switch (e) {
            case '"': case '\\': case '/':
                s += QLatin1Char(e);
                m_at += 2;
                break;
            case 'b': s += QLatin1Char('\b'); m_at += 2; break;
            case 'f': s += QLatin1Char('\f'); m_at += 2; break;
            case 'n': s += QLatin1Char('\n'); m_at += 2; break;
            case 'r': s += QLatin1Char('\r'); m_at += 2; break;
            case 't': s += QLatin1Char('\t'); m_at += 2; break;
            case 'u':
                if (!readUnit(unit))
                    return false;
                if (QChar::isHighSurrogate(unit)) {
                    char16_t low = 0;
                    if (m_end - m_at < 2 || m_at[0] != '\\' || m_at[1] != 'u' || !readUnit(low)
                        || !QChar::isLowSurrogate(low))
                        return fail("a \\u escape of half a character");
                    s += QChar(unit);
                    s += QChar(low);
                } else if (QChar::isLowSurrogate(unit)) {
                    return fail("a \\u escape of half a character");
                } else {
                    s += QChar(unit);
                }
                break;
            default:
                return fail("not JSON: an unknown escape in a string");
            }
            run = m_at;
        }
        return fail("not JSON: a string without its closing quote");
    }

    struct Member
    {
        QString key;
        const char* at; // where the key starts
        QJsonValue value;
    };

    bool readObject(QJsonValue& value, int depth)
    {
        if (depth > kStrictJsonDepthLimit)
            return fail(QStringLiteral("nested deeper than %1 levels").arg(kStrictJsonDepthLimit));
        ++m_at;
        std::vector<Member> members;
        skipBlanks();
        if (m_at != m_end && *m_at == '}') {
            ++m_at;
            value = QJsonObject();
            return true;
        }
        for (;;) {
            skipBlanks();
            if (m_at == m_end || *m_at != '"')
                return fail("not JSON: a key should be here");
            Member member{QString(), m_at, QJsonValue()};
            if (!readString(member.key))
                return false;
            skipBlanks();
            if (m_at == m_end || *m_at != ':')
                return fail("not JSON: a ':' should follow the key");
            ++m_at;
            skipBlanks();
            if (!readValue(member.value, depth))
                return false;
            members.push_back(std::move(member));
            skipBlanks();
            if (m_at != m_end && *m_at == ',') {
                ++m_at;
                continue;
            }
            if (m_at != m_end && *m_at == '}') {
                ++m_at;
                break;
            }
            return fail("not JSON: a ',' or '}' should be here");
        }
        // Sorted once (an object of many keys costs no more than its
        // sorting), so a key named twice sits next to its twin.
        std::stable_sort(members.begin(), members.end(),
                         [](const Member& a, const Member& b) { return a.key < b.key; });
        QJsonObject object;
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (i > 0 && members[i].key == members[i - 1].key) {
                m_at = members[i].at;
                return fail(QStringLiteral("the key \"%1\" appears twice in one object").arg(members[i].key));
            }
            object.insert(members[i].key, members[i].value);
        }
        value = object;
        return true;
    }

    bool readArray(QJsonValue& value, int depth)
    {
        if (depth > kStrictJsonDepthLimit)
            return fail(QStringLiteral("nested deeper than %1 levels").arg(kStrictJsonDepthLimit));
        ++m_at;
        QJsonArray array;
        skipBlanks();
        if (m_at != m_end && *m_at == ']') {
            ++m_at;
            value = array;
            return true;
        }
        for (;;) {
            skipBlanks();
            QJsonValue element;
            if (!readValue(element, depth))
                return false;
            array.append(element);
            skipBlanks();
            if (m_at != m_end && *m_at == ',') {
                ++m_at;
                continue;
            }
            if (m_at != m_end && *m_at == ']') {
                ++m_at;
                value = array;
                return true;
            }
            return fail("not JSON: a ',' or ']' should be here");
        }
    }

    const char* m_begin;
    const char* m_at;
    const char* m_end;
    QString m_error;
    const char* m_errorAt = nullptr;
};

} // namespace

StrictJson parseStrictJson(QByteArrayView text)
{
    if (text.size() > kStrictJsonSizeLimit)
        return Failure(JsonProblem{QStringLiteral("longer than %1 bytes").arg(kStrictJsonSizeLimit), 0});
    return Reader(text).read();
}
