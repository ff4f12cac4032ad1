// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any bytes as an XLIFF file, through the bounded reader and the whole
// import. Checked: a file the reader accepts is well-formed XML to Qt's own
// reader too, within the bounds (depth, attributes); the import keeps its
// promises (fuzz/ImportChecks.h).

#include "fuzz/ImportChecks.h"
#include "translator-kit/XliffReader.h"

#include <QXmlStreamReader>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = decodeCatalogueText(QByteArrayView(data, qsizetype(size)));
    const TranslationFile file = readXliff(text);
    if (file.error.isEmpty()) {
        // Within the bounds, as Qt's reader sees the document.
        QXmlStreamReader xml(text);
        int depth = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement()) {
                ++depth;
                FUZZ_CHECK(depth <= kXliffMaxDepth, "an accepted file nests %d deep", depth);
                FUZZ_CHECK(xml.attributes().size() + xml.namespaceDeclarations().size() <= kXliffMaxAttributes,
                           "an accepted element has %d attributes", int(xml.attributes().size()));
            } else if (xml.isEndElement()) {
                --depth;
            }
        }
        FUZZ_CHECK(!xml.hasError(), "an accepted file is not well-formed to Qt's reader");
    }
    const bool xliff = QStringView(text).trimmed().startsWith(QLatin1Char('<'));
    const ImportResult result = importEntries(text, CaptionIndex::library(), QString(), fuzzUnitIds());
    checkImport(result, xliff && file.error.isEmpty() ? qsizetype(file.entries.size()) : -1);
    return 0;
}
