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
#include "translator-kit/KitCommandLine.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>
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

int check(const QString& path, int onlyDensity, const QString& program)
{
    QTextStream out(stdout);
    const CatalogueFile file = readCatalogueFile(path);
    if (!file) {
        QTextStream(stderr) << file.error().message << '\n';
        return kKitUnusable;
    }
    int findings = 0;
    for (const CatalogueFinding& finding : checkCatalogueText(file.value(), CaptionIndex::library())) {
        out << describeFinding(finding) << '\n';
        findings += finding.counts ? 1 : 0;
    }
    out.flush();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const QList<int> densities = onlyDensity > 0 ? QList<int>{onlyDensity}
                                                 : QList<int>(std::begin(kCheckedDensities), std::end(kCheckedDensities));
    const QString note = QString::fromLatin1(kNotePrefix);
    for (int dpi : densities) {
        const DensityReport report = measureAtDensity(program, absolute, dpi);
        for (QString line : report.defects) {
            const bool isNote = line.startsWith(note);
            if (isNote)
                line.remove(0, note.size());
            out << (isNote ? note : QString()) << QStringLiteral("%1 dpi: ").arg(dpi) << line << '\n';
        }
        findings += report.counted;
        out.flush();
        if (!report.error.isEmpty()) {
            QTextStream(stderr) << report.error << '\n';
            return kKitUnusable;
        }
    }
    out << (findings == 0 ? QStringLiteral("no findings\n") : QStringLiteral("%1 findings\n").arg(findings));
    return findings == 0 ? kKitClean : kKitFindings;
}

int runKit()
{
    const QStringList args = QCoreApplication::arguments();
    const QString name = QFileInfo(args.value(0)).fileName();
    const KitRequest request = parseKitCommandLine(args);

    switch (request.command) {
    case KitRequest::Command::Help:
        QTextStream(stdout) << kitHelpText(name);
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
    case KitRequest::Command::Measure: {
        if (!request.file.isEmpty()) {
            const CatalogueFile file = readCatalogueFile(request.file);
            if (!file) {
                QTextStream(stderr) << file.error().message << '\n';
                return kKitUnusable;
            }
        }
        return measureCaptions(request.file);
    }
    }
    return kKitUnusable;
}

} // namespace

int main(int argc, char* argv[])
{
    // Before anything is opened: a closed standard output must not become
    // the first file the kit opens.
    claimStandardDescriptors();
    // Past a file size limit a write fails (and is reported) instead of
    // killing the kit halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    // Headless whatever the session: the kit never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int code = runKit();
    // A script must not take lost output for success.
    if (const Result<void> closed = closeStandardStreams(); !closed) {
        QTextStream(stderr) << QFileInfo(QCoreApplication::arguments().value(0)).fileName() << ": " << closed.error()
                            << '\n';
        return kKitUnusable;
    }
    return code;
}
