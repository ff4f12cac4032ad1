// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The pictures of docs/images, drawn by the demo host's screenshot mode.
//
//   odu-doc-images check   --demo PROGRAM --source TREE --work DIR
//   odu-doc-images refresh --demo PROGRAM --source TREE --work DIR
//
// refresh draws them anew into TREE/docs/images and records there, in
// fonts.txt, the Qt version and the fonts they were drawn with. check draws
// them into DIR and compares each with the committed one: it fails on a
// picture of another size or with more than a few pixels that differ beyond
// antialiasing; on a system whose Qt or fonts differ from fonts.txt it
// compares nothing and exits 77 (skipped), saying why.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

enum Exit { Passed = 0, Failed = 1, Usage = 2, Skipped = 77 };

struct Picture
{
    const char* file;  // in docs/images
    const char* page;  // the demo's file of the page
    QStringList options; // the demo's options (catalogue paths relative to the tree)
};

// The front page's pictures (README.md).
const QList<Picture>& pictures()
{
    static const QList<Picture> list = {
        {"qos-page2.png", "qos-page2.png", {}},
        {"vlan-page1.png", "vlan-page1.png", {}},
        {"vlan-page3.png", "vlan-page3.png", {}},
        {"dark-vlan-page1.png", "vlan-page1.png", {QStringLiteral("--palette"), QStringLiteral("dark")}},
        {"high-contrast-vlan-page3.png", "vlan-page3.png",
         {QStringLiteral("--palette"), QStringLiteral("high-contrast")}},
        {"rtl-ar-vlan-page1.png", "vlan-page1.png",
         {QStringLiteral("-reverse"), QStringLiteral("--catalogue"), QStringLiteral("translations/ar.ini")}},
        {"de-qos-page1.png", "qos-page1.png", {QStringLiteral("--catalogue"), QStringLiteral("translations/de.ini")}},
    };
    return list;
}

// A pixel counts as different when a channel moves by more than this...
constexpr int kChannelTolerance = 32;
// ...and a picture as different when more pixels than this do: a changed
// caption moves hundreds.
constexpr int kPixelTolerance = 8;

void say(const QString& text)
{
    std::fprintf(stderr, "odu-doc-images: %s\n", qPrintable(text));
}

// What decides how the pictures come out beside the program: the Qt version
// and the font files fontconfig picks for the dialogs' faces and for Arabic.
QString fontSet()
{
    QStringList lines{QStringLiteral("qt %1").arg(QString::fromLatin1(qVersion()))};
    const QString fcMatch = QStandardPaths::findExecutable(QStringLiteral("fc-match"));
    if (fcMatch.isEmpty())
        return {};
    for (const char* pattern : {"Tahoma", "Liberation Sans Narrow", "DejaVu Sans", "sans-serif:lang=ar"}) {
        QProcess fc;
        fc.start(fcMatch, {QStringLiteral("-f"), QStringLiteral("%{file} %{fontversion}"), QString::fromLatin1(pattern)});
        if (!fc.waitForFinished(30000) || fc.exitCode() != 0)
            return {};
        lines << QStringLiteral("%1: %2").arg(QString::fromLatin1(pattern), QString::fromUtf8(fc.readAllStandardOutput()).trimmed());
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// (The tags are split so that licence scanners do not take them for this
// file's own.)
const QString kFontsHeader = QStringLiteral(
    "# SPDX-" "FileCopyrightText: 2026 odu-switch-dialogs contributors\n"
    "#\n"
    "# SPDX-" "License-Identifier: BSD-3-Clause\n"
    "#\n"
    "# The Qt version and fonts the pictures of this folder were drawn with\n"
    "# (written by: cmake --build build --target docs-images).\n");

// The recorded font set: fonts.txt without its comment lines.
QString recordedFontSet(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QString text;
    for (const QString& line : QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.startsWith(QLatin1Char('#')))
            text += line + QLatin1Char('\n');
    return text;
}

// Draws every page once per set of options; the folder of each set.
bool draw(const QString& demo, const QString& source, const QString& work, QMap<QStringList, QString>& folders)
{
    for (const Picture& p : pictures()) {
        if (folders.contains(p.options))
            continue;
        const QString folder = QStringLiteral("%1/run%2").arg(work).arg(folders.size());
        QDir().mkpath(folder);
        QProcess demoRun;
        demoRun.setWorkingDirectory(source);
        demoRun.setProcessChannelMode(QProcess::MergedChannels);
        // The pictures are drawn at 96 pixels per inch in the style's own
        // look, whatever the shell that runs this asks for.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                                 "QT_ENABLE_HIGHDPI_SCALING", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        demoRun.setProcessEnvironment(env);
        demoRun.start(demo, QStringList{QStringLiteral("--screenshot"), folder} + p.options);
        if (!demoRun.waitForFinished(120000) || demoRun.exitStatus() != QProcess::NormalExit || demoRun.exitCode() != 0) {
            say(QStringLiteral("the demo host failed with %1:\n%2")
                    .arg(p.options.join(QLatin1Char(' ')), QString::fromLocal8Bit(demoRun.readAll())));
            return false;
        }
        folders.insert(p.options, folder);
    }
    return true;
}

// The number of pixels that differ beyond antialiasing; -1 for another size.
qsizetype differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    qsizetype count = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int d = qMax(qMax(qAbs(qRed(p[col]) - qRed(q[col])), qAbs(qGreen(p[col]) - qGreen(q[col]))),
                               qMax(qAbs(qBlue(p[col]) - qBlue(q[col])), qAbs(qAlpha(p[col]) - qAlpha(q[col]))));
            if (d > kChannelTolerance)
                ++count;
        }
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    auto option = [&](const char* name) {
        const qsizetype at = args.indexOf(QString::fromLatin1(name));
        return at > 0 ? args.value(at + 1) : QString();
    };
    const QString demo = option("--demo"), source = option("--source"), work = option("--work");
    if ((mode != QLatin1String("check") && mode != QLatin1String("refresh")) || demo.isEmpty()
        || source.isEmpty() || work.isEmpty()) {
        say(QStringLiteral("usage: odu-doc-images check|refresh --demo PROGRAM --source TREE --work DIR"));
        return Usage;
    }
    const QString images = source + QStringLiteral("/docs/images");
    const QString fontsFile = images + QStringLiteral("/fonts.txt");
    const QString fonts = fontSet();
    if (fonts.isEmpty()) {
        say(QStringLiteral("skipped: fc-match (fontconfig) is missing or failed, so the fonts are unknown"));
        return mode == QLatin1String("check") ? Skipped : Failed;
    }
    if (mode == QLatin1String("check") && fonts != recordedFontSet(fontsFile)) {
        say(QStringLiteral("skipped: the pictures were drawn with other fonts or another Qt than this "
                           "system has, so they cannot match here.\nRecorded (%1):\n%2This system:\n%3")
                .arg(fontsFile, recordedFontSet(fontsFile), fonts));
        return Skipped;
    }

    QDir(work).removeRecursively();
    QMap<QStringList, QString> folders;
    if (!draw(demo, source, work, folders))
        return Failed;

    int failures = 0;
    for (const Picture& p : pictures()) {
        const QString drawn = folders.value(p.options) + QLatin1Char('/') + QLatin1String(p.page);
        const QString kept = images + QLatin1Char('/') + QLatin1String(p.file);
        const QImage image(drawn);
        if (image.isNull()) {
            say(QStringLiteral("the demo host wrote no %1").arg(drawn));
            return Failed;
        }
        if (mode == QLatin1String("refresh")) {
            QImageWriter writer(kept, "png");
            writer.setQuality(0); // the strongest compression; PNG stays lossless
            if (!writer.write(image)) {
                say(QStringLiteral("cannot write %1: %2").arg(kept, writer.errorString()));
                return Failed;
            }
            std::printf("%s\n", qPrintable(kept));
            continue;
        }
        const QImage committed(kept);
        const qsizetype differing = committed.isNull() ? -2 : differingPixels(committed, image);
        if (differing == -2 || differing == -1 || differing > kPixelTolerance) {
            ++failures;
            say(QStringLiteral("%1 is no longer what the program draws (%2); the new drawing is %3")
                    .arg(kept,
                         differing == -2   ? QStringLiteral("missing or unreadable")
                         : differing == -1 ? QStringLiteral("%1x%2 now, %3x%4 committed")
                                                 .arg(image.width()).arg(image.height())
                                                 .arg(committed.width()).arg(committed.height())
                                           : QStringLiteral("%1 pixels differ").arg(differing),
                         drawn));
        }
    }
    if (mode == QLatin1String("refresh")) {
        QFile out(fontsFile);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write((kFontsHeader + fonts).toUtf8()) < 0
            || !out.flush()) {
            say(QStringLiteral("cannot write %1").arg(fontsFile));
            return Failed;
        }
        std::printf("%s\n", qPrintable(fontsFile));
        return Passed;
    }
    if (failures > 0) {
        say(QStringLiteral("if the change is meant, refresh the pictures: cmake --build build --target docs-images"));
        return Failed;
    }
    std::printf("all %d pictures match what the program draws\n", int(pictures().size()));
    return Passed;
}
