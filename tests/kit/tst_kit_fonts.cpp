// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Faces: what check says on a machine that lacks one, and the face a CJK
// catalogue's Latin letters are drawn in.

#include "KitProcess.h"

#include "translator-kit/SampleDialogs.h"

#include <QAbstractButton>
#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

QByteArray shipped(const QString& language)
{
    QFile file(QStringLiteral(ODU_TRANSLATIONS_DIR) + u'/' + language + u".ini"_s);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The faces of each run of a text as drawn in a font, with their pixel sizes.
QStringList facesOf(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun& run : layout.glyphRuns())
        faces.append(u"%1 %2px"_s.arg(run.rawFont().familyName()).arg(run.rawFont().pixelSize()));
    return faces;
}

} // namespace

class TestKitFonts : public QObject
{
    Q_OBJECT

private slots:
    void missingFacesSummarised_data();
    void missingFacesSummarised();
    void latinInCjkCaptions_data();
    void latinInCjkCaptions();

private:
    QTemporaryDir m_dir;
};

void TestKitFonts::missingFacesSummarised_data()
{
    QTest::addColumn<QString>("name");      // the catalogue's file name (its language)
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fontDir");   // the only fonts the machine has; empty: all
    QTest::addColumn<QStringList>("says");  // parts of the lines, in this order
    QTest::addColumn<int>("faces");         // lines: one per missing face
    QTest::addColumn<int>("entries");       // entries of the first face's line

    QTest::newRow("shipped Japanese without a CJK face")
        << u"ja.ini"_s << shipped(u"ja"_s) << u"/usr/share/fonts/truetype"_s
        << QStringList{u"(Katakana, Han, Hiragana) of 87 entries"_s, u"Noto Sans CJK JP draws them: install the Debian package fonts-noto-cjk"_s}
        << 1 << 87;
    QTest::newRow("shipped Chinese without a CJK face")
        << u"zh_CN.ini"_s << shipped(u"zh_CN"_s) << u"/usr/share/fonts/truetype"_s
        << QStringList{u"Noto Sans CJK SC draws them: install the Debian package fonts-noto-cjk"_s} << 1 << 89;
    QTest::newRow("shipped Arabic with Latin faces only")
        << u"ar.ini"_s << shipped(u"ar"_s) << u"/usr/share/fonts/truetype/liberation"_s
        << QStringList{u"(Arabic) of "_s, u"DejaVu Sans draws them: install the Debian package fonts-dejavu-core"_s}
        << 1 << 89;
    QTest::newRow("Thai and Japanese, two faces")
        << u"th.ini"_s << u"[VLAN]\nnms=ภาษาไทย\nok_button=ตกลง\nset_button=設定する\n"_s.toUtf8()
        << u"/usr/share/fonts/truetype"_s
        << QStringList{u"draws 10 characters (Thai) of 2 entries (lines 2-3)"_s,
                       u"Noto Sans Thai draws them: install the Debian package fonts-noto-core"_s,
                       u"draws 4 characters (Han, Hiragana) of 1 entry (line 4)"_s,
                       u"Noto Sans CJK JP draws them"_s}
        << 2 << 2;
    QTest::newRow("CJK punctuation alone comes with the CJK face")
        << u"zh_CN.ini"_s << u"[VLAN]\nnms=NMS、VID（1～4094）\n"_s.toUtf8() << u"/usr/share/fonts/truetype"_s
        << QStringList{u"Noto Sans CJK SC draws them: install the Debian package fonts-noto-cjk"_s} << 1 << 1;
}

void TestKitFonts::missingFacesSummarised()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fontDir);
    QFETCH(QStringList, says);
    QFETCH(int, faces);
    QFETCH(int, entries);
    QVERIFY(m_dir.isValid());
    QVERIFY(!bytes.isEmpty());
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    file.close();
    if (!QFile::exists(fontDir))
        QSKIP("the test machine's fonts are not where Debian puts them");
    // A machine with only the faces of one folder.
    const QString config = m_dir.filePath(name + u".conf"_s);
    QFile conf(config);
    QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
    conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n  <dir>"
               + QFile::encodeName(fontDir) + "</dir>\n  <cachedir>"
               + QFile::encodeName(m_dir.filePath(u"font-cache"_s)) + "</cachedir>\n</fontconfig>\n");
    conf.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FONTCONFIG_FILE"_s, config);

    const KitRun run = runKit({u"check"_s, path, u"--density"_s, u"96"_s}, {}, environment);
    QCOMPARE(run.exitCode, 1);
    QStringList lines;
    for (const QString& line : run.out.split(u'\n')) {
        if (line.contains(u"no font on this machine draws"_s))
            lines.append(line);
    }
    // One line per face, not one per entry.
    QCOMPARE(int(lines.size()), faces);
    QString all = lines.join(u'\n');
    qsizetype at = 0;
    for (const QString& part : says) {
        const qsizetype found = all.indexOf(part, at);
        QVERIFY2(found >= 0, qPrintable(u"\"%1\" not in:\n%2"_s.arg(part, all)));
        at = found + part.size();
    }
    QVERIFY2(lines.first().contains(u" of %1 entr"_s.arg(entries)), qPrintable(lines.first()));
}

void TestKitFonts::latinInCjkCaptions_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("control"); // object name in the VLAN dialog
    QTest::newRow("Japanese \"既定 VID\"") << u"ja"_s << u"Noto Sans CJK JP"_s << u"Label9"_s;
    QTest::newRow("Chinese, simplified forms") << u"zh_CN"_s << u"Noto Sans CJK SC"_s << u"Label9"_s;
}

void TestKitFonts::latinInCjkCaptions()
{
    QFETCH(QString, language);
    QFETCH(QString, face);
    QFETCH(QString, control);
    if (!QFontDatabase::hasFamily(face))
        QSKIP("fonts-noto-cjk is installed by scripts/install-deps.sh");
    const QString catalogue = QStringLiteral(ODU_TRANSLATIONS_DIR) + u'/' + language + u".ini"_s;
    bool seen = false;
    forEachSampleDialog(catalogue, [&](const QString& dialog, QWidget* window) {
        if (dialog != u"VLAN dialog"_s)
            return;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->objectName() != control)
                continue;
            seen = true;
            // Every run, Latin and CJK alike, in the one face, at one size.
            const QStringList faces = facesOf(label->text(), label->font());
            QVERIFY2(label->text().contains(u"VID"_s), qPrintable(label->text()));
            QVERIFY2(!faces.isEmpty(), qPrintable(label->text()));
            for (const QString& run : faces)
                QVERIFY2(run == faces.first() && run.startsWith(face), qPrintable(faces.join(u", "_s)));
        }
        // A caption without CJK text keeps the design's narrow face, so the
        // layout keeps its room.
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text() == u"LINE 2"_s)
                QVERIFY2(!label->font().families().value(0).startsWith(u"Noto Sans CJK"_s),
                         qPrintable(label->objectName()));
        }
    });
    QVERIFY(seen);
}

QTEST_MAIN(TestKitFonts)
#include "tst_kit_fonts.moc"
