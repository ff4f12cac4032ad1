// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// odu-switch-translate: the translator kit for the QoS and VLAN dialogs.

#include "core/CatalogueFile.h"
#include "core/RegularFile.h"
#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueCheck.h"
#include "translator-kit/CatalogueWriter.h"
#include "translator-kit/GeometryCheck.h"
#include "translator-kit/CatalogueText.h"
#include "translator-kit/Exchange.h"
#include "translator-kit/KitArguments.h"
#include "toolsupport/TextEncoding.h"
#include "toolsupport/ToolProcess.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

namespace {

int writeOut(const QString& text, const QString& output)
{
    const QByteArray bytes = text.toUtf8();
    if (output.isEmpty()) {
        // Failures show when standard output is closed at the end.
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        return ToolDone;
    }
    if (const Result<void> written = writeRegularFile(output, bytes); !written) {
        printToolMessage(written.error());
        return ToolTrouble;
    }
    return ToolDone;
}

// A catalogue or a translator's file that is not in an encoding the
// dialogs read: said, with the way out, and ToolTrouble. ToolDone when it is.
int refuseEncoding(const QString& path, QByteArrayView bytes)
{
    const EncodingProblem problem = findEncodingProblem(bytes);
    if (problem.valid())
        return ToolDone;
    printToolMessage(QStringLiteral("%1: %2; save the file as UTF-8").arg(path, describeEncodingProblem(problem)));
    return ToolTrouble;
}

void printFindings(QTextStream& out, const std::vector<CatalogueFinding>& list, int& findings)
{
    for (const CatalogueFinding& finding : list) {
        out << describeFinding(finding) << '\n';
        findings += finding.counts ? 1 : 0;
    }
}

int check(const QString& path, int onlyDensity, const QString& program)
{
    QTextStream out(stdout);
    const CatalogueFile file = readCatalogueFile(path);
    if (!file) {
        printToolMessage(file.error().message);
        return ToolTrouble;
    }
    // The dialogs read such a file as best they can; a translator must save it again.
    const RegularFileRead raw = readRegularFile(path, kCatalogueFileSizeLimit);
    if (!raw) {
        printToolMessage(raw.error().message);
        return ToolTrouble;
    }
    if (const int refused = refuseEncoding(path, raw.value()); refused != ToolDone)
        return refused;
    int findings = 0;
    const QString language = catalogueLanguage(file.value(), path);
    printFindings(out, checkCatalogueText(file.value(), CaptionIndex::library(), language), findings);
    printFindings(out, checkFontCoverage(file.value(), CaptionIndex::library(), language), findings);
    out.flush();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QList<int> densities = onlyDensity > 0 ? QList<int>{onlyDensity}
                                                 : QList<int>(std::begin(kCheckedDensities), std::end(kCheckedDensities));
    QList<bool> directions{false};
    if (mostlyRightToLeft(file.value()))
        directions.append(true);
    const QString note = QString::fromLatin1(kNotePrefix);
    for (int dpi : densities) {
        for (bool rightToLeft : directions) {
            const DensityReport report = measureAtDensity(program, absolute, dpi, rightToLeft);
            const QString where = rightToLeft ? QStringLiteral("%1 dpi, right to left: ").arg(dpi)
                                              : QStringLiteral("%1 dpi: ").arg(dpi);
            for (QString line : report.defects) {
                const bool isNote = line.startsWith(note);
                if (isNote)
                    line.remove(0, note.size());
                out << (isNote ? note : QString()) << where << line << '\n';
            }
            findings += report.counted;
            out.flush();
            if (!report.error.isEmpty()) {
                printToolMessage(report.error);
                return ToolTrouble;
            }
        }
    }
    out << (findings == 0 ? QStringLiteral("no findings\n") : QStringLiteral("%1 findings\n").arg(findings));
    return findings == 0 ? ToolDone : ToolFindings;
}

int exportCatalogue(const KitRequest& request)
{
    QString text;
    QString language = request.language;
    if (!request.file.isEmpty()) {
        const CatalogueFile file = readCatalogueFile(request.file);
        if (!file) {
            printToolMessage(file.error().message);
            return ToolTrouble;
        }
        text = file.value();
        if (language.isEmpty())
            language = catalogueLanguage(text, request.file);
    }
    const CaptionIndex& index = CaptionIndex::library();
    const std::vector<KeyRoom> rooms = measureKeyRooms(index);
    if (request.format == KitRequest::Format::Po)
        return writeOut(exportPo(index, rooms, text, language), request.output);
    QString error;
    const QString xliff = exportXliff(index, rooms, text, language, &error);
    if (!error.isEmpty()) {
        printToolMessage(QStringLiteral("%1: %2").arg(request.file, error));
        return ToolTrouble;
    }
    return writeOut(xliff, request.output);
}

int importCatalogue(const KitRequest& request)
{
    const RegularFileRead raw = readRegularFile(request.file, kCatalogueFileSizeLimit);
    if (!raw.ok()) {
        printToolMessage(raw.error().message);
        return ToolTrouble;
    }
    if (const int refused = refuseEncoding(request.file, raw.value()); refused != ToolDone)
        return refused;
    const ImportResult result = importTranslations(decodeCatalogueText(raw.value()), CaptionIndex::library(),
                                                   request.language);
    for (const QString& refusal : result.refusals)
        printToolMessage(QStringLiteral("%1: %2").arg(request.file, refusal));
    if (!result.refusals.isEmpty()) {
        printToolMessage(QStringLiteral("%1: not imported; nothing was written").arg(request.file));
        return ToolTrouble;
    }
    for (const QString& warning : result.warnings)
        printToolMessage(QStringLiteral("%1: warning: %2").arg(request.file, warning));
    if (!result.warnings.isEmpty())
        printToolMessage(QStringLiteral("hint: an older PO file is brought up to date with msgmerge against a fresh "
                                        "export: odu-switch-translate export --format po -o new.pot; msgmerge old.po "
                                        "new.pot -o current.po"));
    printToolMessage(QStringLiteral("%1 translated, %2 left out (untranslated or fuzzy: English shows)%3")
                         .arg(result.translated)
                         .arg(result.leftOut)
                         .arg(result.warnings.isEmpty() ? QString()
                                                        : QStringLiteral(", %1 skipped").arg(result.warnings.size())));
    // Trouble writing outweighs the skipped entries.
    if (const int written = writeOut(result.catalogue, request.output); written != ToolDone)
        return written;
    return result.warnings.isEmpty() ? ToolDone : ToolFindings;
}

int runKit()
{
    const QStringList args = QCoreApplication::arguments();
    const QString name = QFileInfo(args.value(0)).fileName();
    const KitRequest request = parseKitArguments(args);

    switch (request.command) {
    case KitRequest::Command::Help:
        QTextStream(stdout) << request.help;
        return ToolDone;
    case KitRequest::Command::Version:
        QTextStream(stdout) << name << ' ' << QCoreApplication::applicationVersion() << '\n';
        return ToolDone;
    case KitRequest::Command::Error:
        return usageError(request.error);
    case KitRequest::Command::Template:
        return writeOut(templateCatalogue(CaptionIndex::library()), request.output);
    case KitRequest::Command::Pseudo:
        return writeOut(pseudoCatalogue(CaptionIndex::library(), request.expandPercent), request.output);
    case KitRequest::Command::Check:
        return check(request.file, request.density, QCoreApplication::applicationFilePath());
    case KitRequest::Command::Export:
        return exportCatalogue(request);
    case KitRequest::Command::Import:
        return importCatalogue(request);
    case KitRequest::Command::Measure: {
        if (!request.file.isEmpty()) {
            const CatalogueFile file = readCatalogueFile(request.file);
            if (!file) {
                printToolMessage(file.error().message);
                return ToolTrouble;
            }
        }
        return measureCaptions(request.file, request.rightToLeft);
    }
    }
    return ToolTrouble;
}

} // namespace

int main(int argc, char* argv[])
{
    return runTool(QStringLiteral("odu-switch-translate"), [&] {
        // Headless whatever the session: the kit never opens a window.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        QCoreApplication::setApplicationVersion(QStringLiteral(ODU_KIT_VERSION));
        return runKit();
    });
}
