// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any bytes as a PO file, through the reader and the whole import. Checked:
// the reader either names a line of the file or gives entries that start on
// lines of the file; the import keeps its promises (fuzz/ImportChecks.h); a
// second import of the same text gives the same catalogue.

#include "fuzz/ImportChecks.h"
#include "translator-kit/PoReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = decodeCatalogueText(QByteArrayView(data, qsizetype(size)));
    const TranslationFile file = readPo(text);
    const qsizetype lines = text.count(QLatin1Char('\n')) + text.count(QLatin1Char('\r')) + 1;
    if (!file.error.isEmpty()) {
        FUZZ_CHECK(file.error.startsWith(QLatin1String("line ")), "an error without its line");
    }
    for (const TranslationEntry& entry : file.entries)
        FUZZ_CHECK(entry.line >= 1 && entry.line <= lines, "an entry at line %d of %d", entry.line, int(lines));
    const bool po = !QStringView(text).trimmed().startsWith(QLatin1Char('<'));
    const ImportResult result = importEntries(text, CaptionIndex::library(), QString(), fuzzUnitIds());
    checkImport(result, po && file.error.isEmpty() ? qsizetype(file.entries.size()) : -1);
    const ImportResult again = importEntries(text, CaptionIndex::library(), QString(), fuzzUnitIds());
    FUZZ_CHECK(again.catalogue == result.catalogue && again.refusals == result.refusals, "a second import differs");
    return 0;
}
