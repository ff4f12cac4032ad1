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
        return kKitClean;
    }
    if (const Result<void> written = writeRegularFile(output, bytes); !written) {
        QTextStream(stderr) << QStringLiteral("could not write: %1\n").arg(written.error());
        return kKitUnusable;
    }
    return kKitClean;
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
        QTextStream(stderr) << file.error().message << '\n';
        return kKitUnusable;
    }
    // The dialogs read such a file as best they can; a translator must save it again.
    const RegularFileRead raw = readRegularFile(path, kCatalogueFileSizeLimit);
    const EncodingProblem encoding = findEncodingProblem(raw.valueOr({}));
    if (!encoding.valid) {
        QTextStream(stderr) << QStringLiteral("%1: not UTF-8: line %2, byte %3 (byte %4 of the line, 0x%5) cannot be "
                                              "decoded; save the file as UTF-8\n")
                                   .arg(path)
                                   .arg(encoding.line)
                                   .arg(encoding.byte)
                                   .arg(encoding.column)
                                   .arg(uint(encoding.value), 2, 16, QLatin1Char('0'));
        return kKitUnusable;
    }
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
                QTextStream(stderr) << report.error << '\n';
                return kKitUnusable;
            }
        }
    }
    out << (findings == 0 ? QStringLiteral("no findings\n") : QStringLiteral("%1 findings\n").arg(findings));
    return findings == 0 ? kKitClean : kKitFindings;
}

int exportCatalogue(const KitRequest& request)
{
    QString text;
    QString language = request.language;
    if (!request.file.isEmpty()) {
        const CatalogueFile file = readCatalogueFile(request.file);
        if (!file) {
            QTextStream(stderr) << file.error().message << '\n';
            return kKitUnusable;
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
        QTextStream(stderr) << request.file << ": " << error << '\n';
        return kKitUnusable;
    }
    return writeOut(xliff, request.output);
}

int importCatalogue(const KitRequest& request)
{
    const RegularFileRead raw = readRegularFile(request.file, kCatalogueFileSizeLimit);
    if (!raw.ok()) {
        QTextStream(stderr) << raw.error().message << '\n';
        return kKitUnusable;
    }
    if (const QString foreign = foreignEncoding(raw.valueOr({})); !foreign.isEmpty()) {
        QTextStream(stderr) << QStringLiteral("%1: %2; save the file as UTF-8\n").arg(request.file, foreign);
        return kKitUnusable;
    }
    if (const EncodingProblem encoding = findEncodingProblem(raw.valueOr({})); !encoding.valid) {
        QTextStream(stderr) << QStringLiteral("%1: not UTF-8: line %2, byte %3\n")
                                   .arg(request.file)
                                   .arg(encoding.line)
                                   .arg(encoding.byte);
        return kKitUnusable;
    }
    const ImportResult result = importTranslations(decodeCatalogueText(raw.value()), CaptionIndex::library(),
                                                   request.language);
    QTextStream err(stderr);
    for (const QString& refusal : result.refusals)
        err << request.file << ": " << refusal << '\n';
    if (!result.refusals.isEmpty()) {
        err << QStringLiteral("%1: not imported; nothing was written\n").arg(request.file);
        return kKitUnusable;
    }
    for (const QString& warning : result.warnings)
        err << request.file << ": warning: " << warning << '\n';
    if (!result.warnings.isEmpty())
        err << QStringLiteral("hint: an older PO file is brought up to date with msgmerge against a fresh export: "
                              "odu-switch-translate export --format po -o new.pot; msgmerge old.po new.pot -o "
                              "current.po\n");
    err << QStringLiteral("%1 translated, %2 left out (untranslated or fuzzy: English shows)%3\n")
               .arg(result.translated)
               .arg(result.leftOut)
               .arg(result.warnings.isEmpty() ? QString()
                                              : QStringLiteral(", %1 skipped").arg(result.warnings.size()));
    err.flush();
    const int written = writeOut(result.catalogue, request.output);
    return written != kKitClean ? written : result.warnings.isEmpty() ? kKitClean : kKitFindings;
}

int runKit()
{
    const QStringList args = QCoreApplication::arguments();
    const QString name = QFileInfo(args.value(0)).fileName();
    const KitRequest request = parseKitArguments(args);

    switch (request.command) {
    case KitRequest::Command::Help:
        QTextStream(stdout) << request.help;
        return kKitClean;
    case KitRequest::Command::Version:
        QTextStream(stdout) << name << ' ' << QCoreApplication::applicationVersion() << '\n';
        return kKitClean;
    case KitRequest::Command::Error:
        QTextStream(stderr) << name << ": " << request.error << "\n"
                            << QStringLiteral("Try '%1 --help'.\n").arg(name);
        return kKitUnusable;
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
                QTextStream(stderr) << file.error().message << '\n';
                return kKitUnusable;
            }
        }
        return measureCaptions(request.file, request.rightToLeft);
    }
    }
    return kKitUnusable;
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
