// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArrayView>
#include <QString>

// Whether a file meant to be a catalogue's text is in an encoding the
// dialogs read: UTF-8 (with or without a byte order mark) or UTF-16 with a
// byte order mark. One rule for every program that takes such a file: the
// translator kit's check and import, and the demo host's warning.

struct EncodingProblem
{
    enum class Kind {
        None,        // the bytes decode
        Utf16LE,     // UTF-16, little-endian, without a byte order mark
        Utf16BE,     // UTF-16, big-endian, without a byte order mark
        NulBytes,    // NUL bytes that are not UTF-16 text: not a text file
        NotUtf8,     // a byte that does not decode as UTF-8, at line/byte/column
    };
    Kind kind = Kind::None;
    int line = 0;    // NotUtf8: from 1
    qint64 byte = 0; // NotUtf8: from 1, in the file
    int column = 0;  // NotUtf8: from 1, the byte within its line
    unsigned char value = 0;

    bool valid() const { return kind == Kind::None; }
};

// The first reason the bytes are not a catalogue's text, or Kind::None.
// UTF-16 without a byte order mark is told by where its NUL bytes lie (text
// with letters of the Latin script, as every catalogue's keys and sections
// are, has a NUL in every other byte); other NUL bytes are not text.
EncodingProblem findEncodingProblem(QByteArrayView bytes);

// The problem in words, for a message about a file: "UTF-16LE without a
// byte order mark", "not UTF-8: line 2, byte 40 (byte 28 of the line, 0xfc)
// cannot be decoded"; empty for Kind::None.
QString describeEncodingProblem(const EncodingProblem& problem);
