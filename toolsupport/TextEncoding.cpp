// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "toolsupport/TextEncoding.h"

namespace {

// How much of the start tells UTF-16 from other text.
constexpr qsizetype kUtf16Sample = 4096;

// UTF-16 without a byte order mark, told by its NUL bytes: text of the Latin
// script (the sections and keys of every catalogue) has the high byte of each
// character NUL, so that one of the two byte positions holds many NULs and
// the other few. A stray NUL in UTF-8 text is not that.
EncodingProblem::Kind utf16WithoutMark(QByteArrayView bytes)
{
    const qsizetype sample = qMin(bytes.size(), kUtf16Sample);
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < sample; ++i) {
        if (bytes.at(i) == '\0')
            ++(i % 2 == 0 ? even : odd);
    }
    // At least a tenth of the characters, and more than one.
    const auto enough = [sample](qsizetype nuls) { return nuls >= 2 && nuls * 20 >= sample; };
    if (enough(odd) && odd > 4 * even)
        return EncodingProblem::Kind::Utf16LE;
    if (enough(even) && even > 4 * odd)
        return EncodingProblem::Kind::Utf16BE;
    return EncodingProblem::Kind::None;
}

} // namespace

EncodingProblem findEncodingProblem(QByteArrayView bytes)
{
    EncodingProblem problem;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return problem;
    if ((problem.kind = utf16WithoutMark(bytes)) != EncodingProblem::Kind::None)
        return problem;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    int line = 1;
    qsizetype lineStart = 0;
    qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const auto found = [&](EncodingProblem::Kind kind, qsizetype at) {
        problem.kind = kind;
        problem.line = line;
        problem.byte = at + 1;
        problem.column = int(at - lineStart + 1);
        problem.value = data[at];
        return problem;
    };
    while (i < size) {
        const unsigned char c = data[i];
        if (c < 0x80) {
            if (c == '\0')
                return found(EncodingProblem::Kind::NulBytes, i);
            if (c == '\n' || c == '\r') {
                if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
                    ++i;
                ++line;
                lineStart = i + 1;
            }
            ++i;
            continue;
        }
        // The length of the sequence, and the range of its second byte
        // (which rules out overlong forms, surrogates and values past U+10FFFF).
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        }
        bool bad = length == 0;
        for (int k = 1; !bad && k < length; ++k) {
            const qsizetype at = i + k;
            const unsigned char lo = k == 1 ? low : 0x80;
            const unsigned char hi = k == 1 ? high : 0xBF;
            bad = at >= size || data[at] < lo || data[at] > hi;
        }
        if (bad) // named by the sequence's first byte
            return found(EncodingProblem::Kind::NotUtf8, i);
        i += length;
    }
    return problem;
}

QString describeEncodingProblem(const EncodingProblem& problem)
{
    const auto where = [&](const QString& what) {
        return QStringLiteral("%1: line %2, byte %3 (byte %4 of the line, 0x%5)")
            .arg(what)
            .arg(problem.line)
            .arg(problem.byte)
            .arg(problem.column)
            .arg(uint(problem.value), 2, 16, QLatin1Char('0'));
    };
    switch (problem.kind) {
    case EncodingProblem::Kind::None:
        return {};
    case EncodingProblem::Kind::Utf16LE:
        return QStringLiteral("UTF-16LE without a byte order mark");
    case EncodingProblem::Kind::Utf16BE:
        return QStringLiteral("UTF-16BE without a byte order mark");
    case EncodingProblem::Kind::NulBytes:
        return where(QStringLiteral("a NUL byte (not text)"));
    case EncodingProblem::Kind::NotUtf8:
        return where(QStringLiteral("not UTF-8")) + QStringLiteral(" cannot be decoded");
    }
    return {};
}
