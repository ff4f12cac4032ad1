// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// What breaks a translated dialog, each as a translator's catalogue shows it,
// found by `odu-switch-translate check`; and the grid cells the caption
// defect finder takes as fitting.

#include "KitProcess.h"

#include "translator-kit/CaptionDefects.h"
#include "ui/StringGrid.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestKitFindings : public QObject
{
    Q_OBJECT

private slots:
    void checkFinds_data();
    void checkFinds();
    void gridCellDrawnWhole_data();
    void gridCellDrawnWhole();

private:
    QTemporaryDir m_dir;
};

void TestKitFindings::checkFinds_data()
{
    QTest::addColumn<QString>("name");      // the catalogue's file name (its language)
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("density");   // empty: at no single one
    QTest::addColumn<bool>("hideCjkFonts");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");
    QTest::addColumn<QString>("neverSays");

    const QString source = QStringLiteral(ODU_TRANSLATIONS_DIR);
    auto shipped = [&](const QString& code) {
        QFile file(source + QLatin1Char('/') + code + QStringLiteral(".ini"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QTest::newRow("Latin-1 file refused with line and byte")
        << u"de.ini"_s << QByteArray("[VLAN]\nnms=NMS\nadd_vlan=&Ger\xe4t\n") << u"96"_s << false << 2
        << u"not UTF-8: line 3, byte 29"_s << QString();
    QTest::newRow("Windows-1251 file refused")
        << u"ru.ini"_s << QByteArray("[VLAN]\nnms=\xcd\xcc\xd1\n") << u"96"_s << false << 2
        << u"not UTF-8: line 2, byte 12"_s << QString();
    QTest::newRow("UTF-16LE file without a byte order mark refused")
        << u"de.ini"_s << QByteArray("[\0V\0L\0A\0N\0]\0\n\0n\0m\0s\0=\0N\0M\0\n\0", 28) << u"96"_s << false << 2
        << u"de.ini: UTF-16LE without a byte order mark; save the file as UTF-8"_s << u"no findings"_s;
    QTest::newRow("NUL byte refused")
        << u"de.ini"_s << QByteArray("[VLAN]\nnms=N\0MS\n", 16) << u"96"_s << false << 2
        << u"a NUL byte (not text): line 2, byte 13"_s << u"no findings"_s;
    QTest::newRow("accelerator inside an Arabic word")
        << u"ar.ini"_s << u"[VLAN]\nset_button=تع&يين\n"_s.toUtf8() << u"96"_s << false << 1
        << u"splits the word"_s << QString();
    QTest::newRow("accelerator before a word's first Arabic letter is fine")
        << u"ar.ini"_s << u"[VLAN]\nset_button=&تعيين\n"_s.toUtf8() << u"96"_s << false << 1
        << u"missing"_s << u"splits the word"_s;
    QTest::newRow("ampersand before a blank")
        << u"de.ini"_s << u"[QOS]\n&LINE 2=& 2\n"_s.toUtf8() << u"96"_s << false << 1
        << u"'&' before a blank"_s << QString();
    QTest::newRow("key left as the template's comment shows English")
        << u"de.ini"_s << u"[VLAN]\n;cancel_button=&Cancel\n"_s.toUtf8() << u"96"_s << false << 1
        << u"[VLAN] cancel_button: missing"_s << u"(optional)"_s;
    QTest::newRow("English text left in a translation")
        << u"de.ini"_s << u"[VLAN]\nok_button=OK\n"_s.toUtf8() << u"96"_s << false << 1
        << u"[VLAN] ok_button: still the English text"_s << QString();
    QTest::newRow("English text marked as meant")
        << u"de.ini"_s << u"[VLAN]\n; same-as-english\nok_button=OK\n"_s.toUtf8() << u"96"_s << false << 1
        << u"missing"_s << u"ok_button: still"_s;
    QTest::newRow("right-to-left catalogue checked mirrored too")
        << u"ar.ini"_s << (u"[VLAN]\ndefault_vid="_s + u"معرّف الشبكة الافتراضي للمنفذ "_s.repeated(14) + u"\n"_s).toUtf8()
        << u"96"_s << false << 1 << u"96 dpi, right to left: VLAN dialog"_s << QString();
    QTest::newRow("shipped Japanese without a CJK font")
        << u"ja.ini"_s << shipped(u"ja"_s) << u"96"_s << true << 1 << u"no font on this machine draws"_s << QString();
    QTest::newRow("shipped Chinese without a CJK font")
        << u"zh_CN.ini"_s << shipped(u"zh_CN"_s) << u"96"_s << true << 1 << u"no font on this machine draws"_s << QString();
    QTest::newRow("shipped German at 192 dpi has no one-pixel noise")
        << u"de.ini"_s << shipped(u"de"_s) << u"192"_s << false << 0 << u"no findings"_s << u"clipped"_s;
    // The shipped German with one line changed: exactly one finding is a
    // faulty catalogue, and "&&" is an ampersand, never an accelerator.
    const auto german = [&](const QByteArray& line, const QByteArray& as) {
        QByteArray bytes = shipped(u"de"_s);
        const qsizetype at = bytes.indexOf("\n" + line + "\n");
        return at < 0 ? QByteArray() : bytes.replace(at + 1, line.size(), as);
    };
    QTest::newRow("exactly one finding exits 1")
        << u"de.ini"_s << german("&Reset=&Zur\xc3\xbc""cksetzen", "&Reset=Zur\xc3\xbc""cksetzen") << u"192"_s << false << 1
        << u"\n1 findings\n"_s << u"no findings"_s;
    QTest::newRow("&& where the English has no accelerator is none")
        << u"de.ini"_s << german("ok_button=OK", "ok_button=O&&K") << u"192"_s << false << 0 << u"no findings"_s
        << u"accelerator added"_s;
    QTest::newRow("&& where the English has an accelerator is none either")
        << u"de.ini"_s << german("&Reset=&Zur\xc3\xbc""cksetzen", "&Reset=Zur\xc3\xbc""ck&&setzen") << u"192"_s << false
        << 1 << u"accelerator lost"_s << QString();
}

void TestKitFindings::checkFinds()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, density);
    QFETCH(bool, hideCjkFonts);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    QFETCH(QString, neverSays);
    QVERIFY(m_dir.isValid());
    QVERIFY(!bytes.isEmpty());
    const QString path = m_dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(file.write(bytes) == bytes.size());
    file.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (hideCjkFonts) {
        // A machine with the Latin, Cyrillic and Arabic faces only.
        const QString config = m_dir.filePath(u"fonts.conf"_s);
        QFile conf(config);
        QVERIFY(conf.open(QIODevice::WriteOnly | QIODevice::Truncate));
        conf.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
                   "  <dir>/usr/share/fonts/truetype</dir>\n"
                   "  <cachedir>" + QFile::encodeName(m_dir.filePath(u"font-cache"_s)) + "</cachedir>\n"
                   "</fontconfig>\n");
        conf.close();
        environment.insert(u"FONTCONFIG_FILE"_s, config);
    }
    const KitRun run = runKit({u"check"_s, path, u"--density"_s, density}, {}, environment);
    const QString all = run.out + run.err;
    QVERIFY2(all.contains(says), qPrintable(all));
    if (!neverSays.isEmpty())
        QVERIFY2(!all.contains(neverSays), qPrintable(all));
    QCOMPARE(run.exitCode, exitCode);
}

void TestKitFindings::gridCellDrawnWhole_data()
{
    QTest::addColumn<int>("spare"); // pixels of the cell beyond the text's own width
    QTest::addColumn<bool>("fault");
    QTest::newRow("room for both margins") << 8 << false;
    QTest::newRow("one pixel short of the margins, drawn whole") << 5 << false;
    QTest::newRow("text cut at the cell's edge") << -3 << true;
}

void TestKitFindings::gridCellDrawnWhole()
{
    QFETCH(int, spare);
    QFETCH(bool, fault);
    QWidget window;
    StringGrid grid(&window);
    grid.setObjectName(u"grid"_s);
    grid.setColumnCount(2);
    grid.setRowCount(2);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
    const QString text = u"Warteschlange"_s;
    grid.setCellText(0, 0, text);
    grid.setCellText(1, 0, u"x"_s);
    const int width = grid.fontMetrics().horizontalAdvance(text) + spare;
    grid.setColumnWidth(0, width);
    grid.setColumnWidth(1, 30);
    grid.setGeometry(0, 0, width + 120, 120);
    window.resize(width + 200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList found;
    for (const CaptionDefect& defect : findCaptionDefects(&window, {.columnsInView = true, .captionGaps = true})) {
        if (defect.control == u"grid heading 0"_s && defect.kind == CaptionDefect::Kind::Clipped)
            found << describeCaptionDefect(defect);
    }
    QVERIFY2(found.isEmpty() != fault, qPrintable(found.join(u'\n')));
}

QTEST_MAIN(TestKitFindings)
#include "tst_kit_findings.moc"
