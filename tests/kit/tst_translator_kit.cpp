// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "KitProcess.h"

#include "core/CaptionTables.h"
#include "core/CatalogueFile.h"
#include "translator-kit/PseudoText.h"
#include "translator-kit/SampleDialogs.h"
#include "tests/support/ScratchFileSystem.h"
#include "ui/StringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Every text a dialog shows on its controls, by control.
using ShownTexts = QMap<QString, QString>;

ShownTexts shownTexts(const QString& catalogue)
{
    ShownTexts texts;
    forEachSampleDialog(catalogue, [&](const QString& dialog, QWidget* window) {
        const QString prefix = dialog + QStringLiteral(": ");
        texts.insert(prefix + QStringLiteral("window title"), window->windowTitle());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const QString name = prefix + w->objectName();
            if (auto* label = qobject_cast<QLabel*>(w))
                texts.insert(name, label->text());
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                texts.insert(name, button->text());
            else if (auto* box = qobject_cast<QGroupBox*>(w))
                texts.insert(name, box->title());
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                for (int i = 0; i < tabs->count(); ++i)
                    texts.insert(name + QStringLiteral(" tab %1").arg(i), tabs->tabText(i));
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                for (int i = 0; i < combo->count(); ++i)
                    texts.insert(name + QStringLiteral(" item %1").arg(i), combo->itemText(i));
            } else if (auto* grid = qobject_cast<StringGrid*>(w)) {
                for (int row = 0; row < grid->rowCount(); ++row) {
                    for (int col = 0; col < grid->columnCount(); ++col)
                        texts.insert(name + QStringLiteral(" cell %1,%2").arg(col).arg(row), grid->cellText(col, row));
                }
            }
        }
    });
    return texts;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QString& text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0)
        return {};
    return path;
}

QString englishOf(const char* section, QStringView key)
{
    for (std::span<const CaptionRow> table : CaptionTables::all()) {
        for (const CaptionRow& row : table) {
            if (QLatin1String(row.section) == section && QString::fromUtf8(row.key) == key)
                return QString::fromUtf8(row.english);
        }
    }
    return {};
}

int shownLength(const QString& text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        ++n;
    }
    return n;
}

QChar accelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&'))
                return text.at(i + 1);
            ++i;
        }
    }
    return {};
}

} // namespace

class TestTranslatorKit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandLine_data();
    void commandLine();
    void templateGivesTheEnglishDialogs();
    void plantedMistakesAreReported();
    void pseudoTranslationKeepsWhatMatters_data();
    void pseudoTranslationKeepsWhatMatters();
    void pseudoCatalogueIsLongerWithTheSameAccelerators();
    void failedOutputIsAFailure_data();
    void failedOutputIsAFailure();

private:
    QTemporaryDir m_dir;
};

void TestTranslatorKit::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestTranslatorKit::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("says");

    QTest::newRow("help explains every command")
        << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("pseudo [--expand PCT]");
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("odu-switch-translate 1.");
    QTest::newRow("no command") << QStringList{} << 2 << QStringLiteral("no command");
    QTest::newRow("unknown command") << QStringList{QStringLiteral("translate")} << 2 << QStringLiteral("unknown command");
    QTest::newRow("check without a file") << QStringList{QStringLiteral("check")} << 2 << QStringLiteral("needs the catalogue");
    QTest::newRow("expansion that is no number")
        << QStringList{QStringLiteral("pseudo"), QStringLiteral("--expand"), QStringLiteral("lots")} << 2
        << QStringLiteral("--expand");
    QTest::newRow("density out of range")
        << QStringList{QStringLiteral("check"), QStringLiteral("x.ini"), QStringLiteral("--density=5")} << 2
        << QStringLiteral("--density");
    // Each range at its ends and one past them: a value inside gets as far as
    // the file (missing here), one outside is refused by name.
    const QString missing = QStringLiteral("/nonexistent/de.ini");
    const QString unwritable = QStringLiteral("/nonexistent/pseudo.ini");
    for (const auto& [value, inside] : {std::pair{47, false}, {48, true}, {480, true}, {481, false}})
        QTest::addRow("density %d", value)
            << QStringList{QStringLiteral("check"), missing, QStringLiteral("--density=%1").arg(value)} << 2
            << (inside ? missing : QStringLiteral("from 48 to 480, not '%1'").arg(value));
    for (const auto& [value, inside] : {std::pair{-1, false}, {0, true}, {1000, true}, {1001, false}})
        QTest::addRow("expansion %d %%", value)
            << QStringList{QStringLiteral("pseudo"), QStringLiteral("--expand"), QString::number(value),
                           QStringLiteral("-o"), unwritable}
            << 2
            << (inside ? QStringLiteral("odu-switch-translate: '%1' cannot be written").arg(unwritable)
                       : QStringLiteral("from 0 to 1000, not '%1'").arg(value));
    QTest::newRow("export --language with a line break")
        << QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("po"),
                       QStringLiteral("--language"), QStringLiteral("de\n[QOS]")}
        << 2 << QStringLiteral("--language takes a language code");
    QTest::newRow("stray argument to template")
        << QStringList{QStringLiteral("template"), QStringLiteral("extra")} << 2 << QStringLiteral("unexpected");
    QTest::newRow("missing catalogue")
        << QStringList{QStringLiteral("check"), QStringLiteral("/nonexistent/de.ini")} << 2 << QStringLiteral("de.ini");
    QTest::newRow("folder as catalogue")
        << QStringList{QStringLiteral("check"), QDir::tempPath()} << 2 << QDir::tempPath();
    QTest::newRow("unwritable output")
        << QStringList{QStringLiteral("template"), QStringLiteral("-o"), QStringLiteral("/nonexistent/en.ini")} << 2
        << QStringLiteral("odu-switch-translate: '/nonexistent/en.ini' cannot be written");
}

void TestTranslatorKit::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, says);
    const KitRun run = runKit(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(says), qPrintable(run.out + run.err));
}

void TestTranslatorKit::templateGivesTheEnglishDialogs()
{
    const QString path = m_dir.filePath(QStringLiteral("en.ini"));
    const KitRun run = runKit({QStringLiteral("template"), QStringLiteral("-o"), path});
    QCOMPARE(run.exitCode, 0);
    const CatalogueFile file = readCatalogueFile(path);
    QVERIFY(file.ok());
    QVERIFY(file->contains(QStringLiteral("[QOS]")));
    QVERIFY(file->contains(QStringLiteral("[VLAN]")));
    // A leading blank survives the reader only in quotes.
    QVERIFY(file->contains(QStringLiteral("TAG_Pri_tab_head=\" Tag Priority\"")));

    // Against the dialogs built with a catalogue that holds no text, where
    // every lookup gives its built-in English. (Without any catalogue file the
    // QoS dialog keeps its design-time captions, which differ in the second
    // scheduling group: "We&ighted round robin", "Stric&t"; any catalogue
    // gives both groups the one key's text.)
    const ShownTexts english = shownTexts(writeFile(m_dir, QStringLiteral("empty.ini"), QStringLiteral("; nothing\n")));
    const ShownTexts read = shownTexts(path);
    QCOMPARE(read.keys(), english.keys());
    for (auto it = english.constBegin(); it != english.constEnd(); ++it)
        QVERIFY2(read.value(it.key()) == it.value(),
                 qPrintable(QStringLiteral("%1: \"%2\" instead of \"%3\"").arg(it.key(), read.value(it.key()), it.value())));

    // Every key is in the template, as an entry or, where one value cannot
    // stand for the English, as a comment saying why.
    for (std::span<const CaptionRow> table : CaptionTables::all()) {
        for (const CaptionRow& row : table)
            QVERIFY2(file->contains(QLatin1Char('\n') + QString::fromUtf8(row.key) + QLatin1Char('='))
                         || file->contains(QStringLiteral("\n;") + QString::fromUtf8(row.key) + QLatin1Char('=')),
                     row.key);
    }
}

void TestTranslatorKit::plantedMistakesAreReported()
{
    // Wider than the screen: no layout can give it the room.
    const QString overlong = QStringLiteral("Voreingestellte VLAN-Kennung des Anschlusses ").repeated(12).trimmed();
    const QString path = writeFile(m_dir, QStringLiteral("planted.ini"),
                                   QStringLiteral("[VLAN]\n"
                                                  "set_butten=&Setzen\n"         // line 2
                                                  "set_button=Setzen\n"          // line 3
                                                  "add_vlan=&Neues VLAN\n"       // line 4
                                                  "del_vlan=&Nicht mehr\n"       // line 5
                                                  "default_vid=%1\n"             // line 6
                                                  "nms=\n"                       // line 7
                                                  "nms=NMS\n"                    // line 8
                                                  "static_vlan_entr=&Einträge\n" // line 9
                                                  "[Vlan]\n"
                                                  "set_button=&Setzen\n"         // line 11
                                                  "[QOS]\n"
                                                  "; same-as-english\n"
                                                  "&Ok=&Ok\n")
                                       .arg(overlong));
    QVERIFY(!path.isEmpty());
    const KitRun run = runKit({QStringLiteral("check"), path});
    QCOMPARE(run.exitCode, 1);

    const QStringList expected{
        QStringLiteral("line 2: [VLAN] set_butten: unknown key; nearest known key: set_button"),
        QStringLiteral("line 3: [VLAN] set_button: accelerator lost"),
        QStringLiteral("line 11: [VLAN] set_button: duplicate of line 3, whose value is used"),
        QStringLiteral("line 7: [VLAN] nms: empty value"),
        QStringLiteral("line 9: [VLAN] static_vlan_entr: accelerator added"),
        QStringLiteral("[QOS] &Cancel: missing"),
        QStringLiteral("accelerator clash on 'n' in VLAN dialog, page \"Static VLAN\": "),
    };
    for (const QString& line : expected)
        QVERIFY2(run.out.contains(line), qPrintable(QStringLiteral("no \"%1\" in:\n%2").arg(line, run.out)));
    QVERIFY2(run.out.contains(QStringLiteral("add_vlan (Button1 \"&Neues VLAN\")")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("del_vlan (Button2 \"&Nicht mehr\")")), qPrintable(run.out));
    // The planted keys that are fine raise nothing.
    QVERIFY(!run.out.contains(QStringLiteral("[QOS] &Ok")));

    // The overlong heading fails the geometry at every density, named with its key.
    for (const char* dpi : {"96", "120", "144"}) {
        const QString head = QString::fromLatin1(dpi) + QStringLiteral(" dpi: VLAN dialog, page \"Global VLAN\": ");
        bool found = false;
        for (const QString& line : run.out.split(QLatin1Char('\n')))
            found = found || (line.startsWith(head) && line.contains(overlong.left(60))
                              && line.contains(QStringLiteral("[key VLAN/default_vid]")));
        QVERIFY2(found, qPrintable(QStringLiteral("no geometry finding at %1 dpi in:\n%2").arg(QLatin1String(dpi), run.out)));
    }
}

void TestTranslatorKit::pseudoTranslationKeepsWhatMatters_data()
{
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("starts");
    QTest::addColumn<QString>("keeps");

    QTest::newRow("accelerator letter unaccented") << QStringLiteral("Dou&ble Tag") << QStringLiteral("[Ðó") << QStringLiteral("&b");
    QTest::newRow("an ampersand shown as such") << QStringLiteral("Research && Development") << QStringLiteral("[Ré") << QStringLiteral("h && Ð");
    QTest::newRow("leading blank outside the brackets") << QStringLiteral(" Tag Priority") << QStringLiteral(" [") << QString();
    QTest::newRow("placeholder") << QStringLiteral("''%s'' is not a valid integer value") << QStringLiteral("[''%s''") << QStringLiteral("%s");
    QTest::newRow("numbered placeholder") << QStringLiteral("Queue %12 full") << QStringLiteral("[Qú") << QStringLiteral("%12 ");
    QTest::newRow("line break") << QStringLiteral("lost.\n\rProceed?") << QStringLiteral("[lóšt.") << QStringLiteral(".\n\rPró");
}

void TestTranslatorKit::pseudoTranslationKeepsWhatMatters()
{
    QFETCH(QString, english);
    QFETCH(QString, starts);
    QFETCH(QString, keeps);
    const QString pseudo = pseudoTranslate(english, 40);
    QVERIFY2(pseudo.startsWith(starts), qPrintable(pseudo));
    QVERIFY2(pseudo.contains(keeps), qPrintable(pseudo));
    QVERIFY(pseudo.endsWith(QLatin1Char(']')));
    QVERIFY2(shownLength(pseudo.trimmed()) * 100 >= shownLength(english.trimmed()) * 140, qPrintable(pseudo));
    QCOMPARE(accelerator(pseudo), accelerator(english));
    QCOMPARE(pseudoTranslate(english, 0).size() < pseudo.size(), true);
}

void TestTranslatorKit::pseudoCatalogueIsLongerWithTheSameAccelerators()
{
    const KitRun run = runKit({QStringLiteral("pseudo"), QStringLiteral("--expand"), QStringLiteral("40")});
    QCOMPARE(run.exitCode, 0);
    int entries = 0;
    forEachCatalogueLine(run.out, [&](const CatalogueLine& line) {
        ++entries;
        const QString value = line.value.toString();
        const QString english = englishOf(line.section == QLatin1String("QOS") ? "QOS" : "VLAN", line.key);
        QVERIFY2(!english.isEmpty(), qPrintable(line.key.toString()));
        QVERIFY2(value.trimmed().startsWith(QLatin1Char('[')) && value.endsWith(QLatin1Char(']')), qPrintable(value));
        QVERIFY2(shownLength(value.trimmed()) * 100 >= shownLength(english.trimmed()) * 140, qPrintable(value));
        QCOMPARE(accelerator(value), accelerator(english));
    });
    QVERIFY(entries > 100);
}

// Where the kit's output cannot go (a full file system, a pipe, a device,
// a link, a full or closed standard output), it says so and exits 2, and
// whatever was there stays as it was.
void TestTranslatorKit::failedOutputIsAFailure_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("said");
    QTest::newRow("template -o, full file system") << u"template"_s << u"full"_s << u"The old file is unchanged"_s;
    QTest::newRow("pseudo -o, full file system") << u"pseudo"_s << u"full"_s << u"The old file is unchanged"_s;
    QTest::newRow("template -o onto a pipe") << u"template"_s << u"fifo"_s << u"is a pipe"_s;
    QTest::newRow("template -o onto a device node") << u"template"_s << u"device"_s << u"is a device"_s;
    QTest::newRow("pseudo -o onto a link") << u"pseudo"_s << u"link"_s << u"is a symbolic link"_s;
    QTest::newRow("template > /dev/full") << u"template"_s << u"/dev/full"_s << u"cannot write to standard output"_s;
    QTest::newRow("pseudo, standard output closed") << u"pseudo"_s << u"closed"_s << u"cannot write to standard output"_s;
}

void TestTranslatorKit::failedOutputIsAFailure()
{
    QFETCH(QString, command);
    QFETCH(QString, where);
    QFETCH(QString, said);
    ScratchFileSystem scratch;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString target = dir.filePath(u"out.ini"_s);
    const QByteArray name = QFile::encodeName(target);
    const QString kept = dir.filePath(u"kept.ini"_s);
    QVERIFY(!writeFile(dir, u"kept.ini"_s, u"[QOS]\nkept=1\n"_s).isEmpty());
    std::function<void()> setup;
    if (where == u"full"_s) {
        if (!scratch.mounted())
            QSKIP(qPrintable(scratch.reason()));
        target = scratch.filePath(u"out.ini"_s);
        QVERIFY(QFile::copy(kept, target));
        QVERIFY(scratch.fill());
    } else if (where == u"fifo"_s) {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (where == u"device"_s) {
        if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) // a private /dev/null
            QSKIP("making a device node (mknod) needs root; CI runs the suite as root");
    } else if (where == u"link"_s) {
        QVERIFY(QFile::link(kept, target));
    } else {
        setup = where == u"closed"_s ? [] { ::close(STDOUT_FILENO); } : [] {
            const int fd = ::open("/dev/full", O_WRONLY);
            ::dup2(fd, STDOUT_FILENO);
            ::close(fd);
        };
    }
    struct stat before {};
    ::lstat(QFile::encodeName(target).constData(), &before);

    const KitRun run = setup ? runKit({command}, setup) : runKit({command, u"-o"_s, target});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(said), qPrintable(run.err));
    if (!setup) {
        struct stat after {};
        QCOMPARE(::lstat(QFile::encodeName(target).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_rdev, before.st_rdev);
        QCOMPARE(after.st_size, before.st_size);
    }
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), QByteArray("[QOS]\nkept=1\n"));
}

QTEST_MAIN(TestTranslatorKit)
#include "tst_translator_kit.moc"
