// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/GeometryCheck.h"

#include "translator-kit/CaptionIndex.h"
#include "translator-kit/SampleDialogs.h"
#include "translator-kit/CaptionDefects.h"
#include "toolsupport/ToolProcess.h"
#include "ui/AcceleratorMarks.h"
#include "ui/OffscreenScreen.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextStream>

namespace {

// The caption of the page a widget lies on, without its accelerator mark;
// empty when the widget is not on a page.
QString pageOf(QWidget* widget)
{
    for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs) {
            const int index = tabs->indexOf(w);
            return withoutAcceleratorMarks(tabs->tabText(index));
        }
    }
    return {};
}

QString defectLine(const QString& dialog, const CaptionDefect& defect)
{
    // The tables name a grid's row labels together.
    static const QRegularExpression rowLabel(QStringLiteral("^(.*) row label \\d+$"));
    QString control = defect.control;
    control.replace(rowLabel, QStringLiteral("\\1 row labels"));
    const CaptionIndex& index = CaptionIndex::library();
    const KnownKey* key = index.keyOfControl(dialog, control);

    // The page by its English caption where the tables know the control, as
    // a translated catalogue may rename the tabs.
    QString page;
    if (!defect.control.contains(QStringLiteral(" tab ")))
        page = key ? index.pageOfControl(dialog, control) : QString();
    if (page.isEmpty() && !defect.control.contains(QStringLiteral(" tab ")))
        page = pageOf(defect.widget);

    QString line = dialog;
    if (!page.isEmpty())
        line += QStringLiteral(", page \"%1\"").arg(page);
    line += QStringLiteral(": ") + describeCaptionDefect(defect);
    if (key)
        line += QStringLiteral(" [key %1/%2]").arg(key->section, key->key);
    return line;
}

// The offscreen platform with the screen the dialogs are measured on,
// described once per run of the kit.
QString screenPlatform()
{
    static QTemporaryDir dir;
    static const QString platform = offscreenScreenPlatform(QSize(kScreenWidth, kScreenHeight), dir);
    return platform;
}

} // namespace

DensityReport measureAtDensity(const QString& program, const QString& catalogue, int dpi, bool rightToLeft)
{
    DensityReport report;
    report.dpi = dpi;
    const QString platform = screenPlatform();
    if (platform.isEmpty()) {
        report.error = QStringLiteral("could not write the description of the screen to measure on");
        return report;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_ENABLE_HIGHDPI_SCALING"), QStringLiteral("0"));
    env.insert(QStringLiteral("QT_FONT_DPI"), QString::number(dpi));
    // Measured offscreen whatever the session: no window appears, and the
    // results do not depend on a desktop's screen.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::SeparateChannels);
    QStringList args{QString::fromLatin1(kMeasureCommand), catalogue};
    if (rightToLeft)
        args << QStringLiteral("--right-to-left");
    child.start(program, args);
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        report.error = QStringLiteral("the examination at %1 dpi did not finish").arg(dpi);
        return report;
    }
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        report.defects.append(line);
        report.counted += line.startsWith(QLatin1String(kNotePrefix)) ? 0 : 1;
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() > ToolFindings)
        report.error = QStringLiteral("the examination at %1 dpi failed: %2")
                           .arg(dpi)
                           .arg(childToolMessage(QString::fromLocal8Bit(child.readAllStandardError())));
    return report;
}

int measureCaptions(const QString& catalogue, bool rightToLeft)
{
    if (rightToLeft)
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    QTextStream out(stdout);
    int defects = 0;
    forEachSampleDialog(catalogue, [&](const QString& dialog, QWidget* window) {
        for (const CaptionDefect& defect : findCaptionDefects(window, {.columnsInView = true, .captionGaps = true})) {
            out << defectLine(dialog, defect) << '\n';
            ++defects;
        }
    });
    out.flush();
    return defects == 0 ? ToolDone : ToolFindings;
}
