// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/IniFile.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace {

// A hash of the case-folded code points, so that names equal under
// QStringView::compare(Qt::CaseInsensitive) hash alike.
void hashFolded(quint32& h, QStringView name)
{
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = name[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c += 'a' - 'A';
        } else {
            if (QChar::isHighSurrogate(c) && i + 1 < n && name[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(name[i].unicode(), name[i + 1].unicode());
                ++i;
            }
            c = QChar::toCaseFolded(c);
        }
        h = (h ^ c) * 16777619u;
    }
}

quint32 entryHash(QStringView section, QStringView key)
{
    quint32 h = 2166136261u;
    hashFolded(h, section);
    h = (h ^ 0x110000u) * 16777619u; // not a code point: the two names never run together
    hashFolded(h, key);
    // Spread every input bit over the whole word (the sort looks at all 32).
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h;
}

// Sorts by hash, keeping file order among equal hashes: three stable
// counting passes of 11 bits each.
template <typename Entry>
void sortByHash(std::vector<Entry>& entries)
{
    std::vector<Entry> scratch(entries.size());
    for (int shift = 0; shift < 32; shift += 11) {
        std::array<std::size_t, 2049> start{};
        for (const Entry& e : entries)
            ++start[((e.hash >> shift) & 2047) + 1];
        for (std::size_t b = 1; b < start.size(); ++b)
            start[b] += start[b - 1];
        for (const Entry& e : entries)
            scratch[start[(e.hash >> shift) & 2047]++] = e;
        entries.swap(scratch);
    }
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

// A stored line is the hash of its folded section and key names and where the
// line starts in the text. Sorted by hash, then by position, so the first of
// duplicate keys is met first.
struct TIniFile::Table
{
    struct Entry
    {
        quint32 hash;
        quint32 line;
    };
    // A heading that has stored lines below it: where its name lies in text.
    struct Heading
    {
        quint32 nameStart;
        quint32 nameLength;
    };

    QStringView sectionOf(quint32 line) const;

    CatalogueFileStatus fileStatus = CatalogueFileStatus::NoFile;
    QString text;                  // the whole catalogue; the entries point into it
    std::vector<Entry> entries;    // one per key line with a value
    std::vector<Heading> headings; // in file order
};

// Hosts built against the earlier header allocate the object themselves: a
// virtual table pointer, the file name and one pointer-sized member.
static_assert(sizeof(TIniFile) == 2 * sizeof(void*) + sizeof(QString));

TIniFile::Table& TIniFile::table()
{
    if (!m_table)
        m_table = new Table;
    return *m_table;
}

CatalogueFileStatus TIniFile::fileStatus() const
{
    return m_table ? m_table->fileStatus : CatalogueFileStatus::NoFile;
}

TIniFile::TIniFile(const QString& fileName)
    : m_fileName(fileName)
{
    CatalogueFile file = readCatalogueFile(fileName);
    table().fileStatus = file.ok() ? CatalogueFileStatus::Read : file.error().status;
    if (file.ok())
        parseText(std::move(file).value());
}

TIniFile::~TIniFile()
{
    delete m_table;
}

void TIniFile::parse(const QByteArray& content)
{
    parseText(decodeCatalogueText(content));
}

void TIniFile::parseText(QString text)
{
    Table& t = table();
    t.entries.clear();
    t.headings.clear();
    // Offsets are 32 bits; far beyond the file size limit, but text handed in
    // by a host is cut rather than misread.
    constexpr qsizetype limit = std::numeric_limits<qint32>::max();
    if (text.size() > limit)
        text.truncate(limit);
    t.text = std::move(text);

    const QChar* base = t.text.constData();
    const QChar* lastHeading = nullptr;
    forEachCatalogueLine(t.text, [&](const CatalogueLine& l) {
        if (l.value.isEmpty())
            return;
        if (!l.section.isNull() && l.section.data() != lastHeading) {
            lastHeading = l.section.data();
            t.headings.push_back({quint32(l.section.data() - base), quint32(l.section.size())});
        }
        // The line starts at or before its key; find its start from the key.
        const QChar* start = l.key.data();
        while (start > base && start[-1] != QLatin1Char('\n') && start[-1] != QLatin1Char('\r'))
            --start;
        t.entries.push_back({entryHash(l.section, l.key), quint32(start - base)});
    });
    t.headings.shrink_to_fit();
    sortByHash(t.entries);
}

QStringView TIniFile::Table::sectionOf(quint32 line) const
{
    const auto after = std::upper_bound(headings.begin(), headings.end(), line,
                                        [](quint32 l, const Heading& h) { return l < h.nameStart; });
    if (after == headings.begin())
        return {};
    const Heading& h = *(after - 1);
    return QStringView(text).sliced(h.nameStart, h.nameLength);
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& def) const
{
    if (!m_table)
        return def;
    const Table& t = *m_table;
    const QStringView wantedSection = QStringView(section).trimmed();
    const QStringView wantedKey = QStringView(key).trimmed();
    const quint32 hash = entryHash(wantedSection, wantedKey);
    auto it = std::lower_bound(t.entries.begin(), t.entries.end(), hash,
                               [](const Table::Entry& e, quint32 h) { return e.hash < h; });
    const QStringView text(t.text);
    for (; it != t.entries.end() && it->hash == hash; ++it) {
        if (!sameName(t.sectionOf(it->line), wantedSection))
            continue;
        qsizetype end = it->line;
        while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        // The stored line read again by the one line reader.
        QStringView value;
        bool found = false;
        forEachCatalogueLine(text.sliced(it->line, end - it->line), [&](const CatalogueLine& l) {
            found = sameName(l.key, wantedKey);
            value = l.value;
        });
        if (found)
            return value.toString();
    }
    return def;
}
