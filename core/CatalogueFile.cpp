// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/CatalogueFile.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <cerrno>

#ifdef Q_OS_UNIX
#  include "core/RegularFile.h"
#else
#  include <QFileInfo>
#endif

namespace {

#ifdef Q_OS_UNIX

CatalogueFileStatus readBytes(const QString& path, QByteArray& bytes)
{
    RegularFileRead read = readRegularFile(path, kCatalogueFileSizeLimit);
    if (read.ok()) {
        bytes = std::move(read).value();
        return CatalogueFileStatus::Read;
    }
    switch (read.error().status) {
    case RegularFileStatus::Read:
        return CatalogueFileStatus::Read;
    case RegularFileStatus::Missing:
        return CatalogueFileStatus::Missing;
    case RegularFileStatus::NotRegular:
        return CatalogueFileStatus::NotRegular;
    case RegularFileStatus::TooLarge:
        return CatalogueFileStatus::TooLarge;
    case RegularFileStatus::Unreadable:
        break;
    }
    return CatalogueFileStatus::Unreadable;
}

#else

CatalogueFileStatus readBytes(const QString& path, QByteArray& bytes)
{
    const QFileInfo info(path);
    if (!info.exists())
        return CatalogueFileStatus::Missing;
    if (!info.isFile())
        return CatalogueFileStatus::NotRegular;
    if (info.size() > kCatalogueFileSizeLimit)
        return CatalogueFileStatus::TooLarge;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CatalogueFileStatus::Unreadable;
    bytes = file.read(kCatalogueFileSizeLimit + 1);
    if (bytes.size() > kCatalogueFileSizeLimit)
        return CatalogueFileStatus::TooLarge;
    return file.error() == QFileDevice::NoError ? CatalogueFileStatus::Read
                                                : CatalogueFileStatus::Unreadable;
}

#endif

// QStringView::trimmed, inline: the blanks are QChar::isSpace's.
QStringView trimmedView(const QChar* from, const QChar* to)
{
    while (from < to && QChar::isSpace(from->unicode()))
        ++from;
    while (to > from && QChar::isSpace(to[-1].unicode()))
        --to;
    return QStringView(from, to);
}

} // namespace

QString decodeCatalogueText(QByteArrayView bytes)
{
    const auto startsWith = [&](const char* mark, qsizetype n) {
        return bytes.size() >= n && QByteArrayView(bytes.data(), n) == QByteArrayView(mark, n);
    };
    if (startsWith("\xFF\xFE", 2)) {
        QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.sliced(2));
    }
    if (startsWith("\xFE\xFF", 2)) {
        QStringDecoder decoder(QStringDecoder::Utf16BE, QStringDecoder::Flag::Stateless);
        return decoder.decode(bytes.sliced(2));
    }
    if (startsWith("\xEF\xBB\xBF", 3))
        bytes = bytes.sliced(3);
    return QString::fromUtf8(bytes);
}

CatalogueFile readCatalogueFile(const QString& path)
{
    QByteArray bytes;
    const CatalogueFileStatus status = path.isEmpty() ? CatalogueFileStatus::NoFile : readBytes(path, bytes);
    if (status != CatalogueFileStatus::Read)
        return Failure(CatalogueProblem{status, catalogueFileProblem(status, path)});
    return decodeCatalogueText(bytes);
}

QString catalogueFileProblem(CatalogueFileStatus status, const QString& path)
{
    switch (status) {
    case CatalogueFileStatus::Read:
        return {};
    case CatalogueFileStatus::NoFile:
        return QStringLiteral("No catalogue file was named.");
    case CatalogueFileStatus::Missing:
        return QStringLiteral("%1 does not exist.").arg(path);
    case CatalogueFileStatus::NotRegular:
        return QStringLiteral("%1 is not a regular file (it is a folder, device, pipe or socket), "
                              "so it was not read.")
            .arg(path);
    case CatalogueFileStatus::TooLarge:
        return QStringLiteral("%1 is larger than %2 MB, far more than any catalogue, "
                              "so it was not read.")
            .arg(path)
            .arg(kCatalogueFileSizeLimit / (1024 * 1024));
    case CatalogueFileStatus::Unreadable:
        return QStringLiteral("%1 could not be read (no permission, or a read error).").arg(path);
    }
    return {};
}

void forEachCatalogueLine(QStringView text, const std::function<void(const CatalogueLine&)>& visit)
{
    const QChar* const begin = text.data();
    const qsizetype size = text.size();
    QStringView section;
    int lineNumber = 0;
    qsizetype pos = 0;
    while (pos < size) {
        // One scan finds the line's end and its first '='.
        const qsizetype lineStart = pos;
        qsizetype eq = -1;
        qsizetype end = pos;
        for (; end < size; ++end) {
            const char16_t c = begin[end].unicode();
            if (c == u'\n' || c == u'\r')
                break;
            if (c == u'=' && eq < 0)
                eq = end;
        }
        ++lineNumber;
        pos = end;
        if (pos < size)
            pos += begin[pos] == QLatin1Char('\r') && pos + 1 < size && begin[pos + 1] == QLatin1Char('\n') ? 2 : 1;

        const QStringView trimmed = trimmedView(begin + lineStart, begin + end);
        if (trimmed.isEmpty() || trimmed.front() == QLatin1Char(';')
            || trimmed.front() == QLatin1Char('#'))
            continue;
        if (trimmed.front() == QLatin1Char('[')) {
            const qsizetype close = trimmed.indexOf(QChar(u']'));
            if (close > 0)
                section = trimmedView(trimmed.data() + 1, trimmed.data() + close);
            continue;
        }
        if (eq <= lineStart)
            continue;
        const QStringView key = trimmedView(begin + lineStart, begin + eq);
        if (key.isEmpty())
            continue;
        QStringView value = trimmedView(begin + eq + 1, begin + end);
        if (value.size() >= 2 && value.front() == QLatin1Char('"') && value.back() == QLatin1Char('"'))
            value = value.sliced(1, value.size() - 2);
        visit(CatalogueLine{section, key, value, lineNumber});
    }
}
