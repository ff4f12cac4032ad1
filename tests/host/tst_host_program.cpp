// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The demo program as a user starts it: exit codes, messages, and the
// screenshot mode end to end.

#include "host/app/Screenshots.h"
#include "ui/Settle.h"
#include "tests/support/ProgramRun.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "qos/Qos_form.h"
#include "vlan/Vlan_form.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome runDemo(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
               std::function<void()> childSetup = {})
{
    ProgramRunOptions options;
    options.environment = env;
    options.childSetup = std::move(childSetup);
    const ProgramRun run = runProgram(QStringLiteral(ODU_DEMO_EXE), args, options);
    Outcome o;
    if (!run.finishedNormally) {
        o.err = u"the program did not finish normally"_s;
        return o;
    }
    o.exitCode = run.exitCode;
    o.out = QString::fromLocal8Bit(run.out);
    o.err = QString::fromLocal8Bit(run.err);
    return o;
}

QSize pictureSize(QWidget* window)
{
    return QSize(window->width(), window->height() + titleStripHeight(window)) * window->devicePixelRatio();
}

int distinctColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

} // namespace

class TestHostProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void helpAndVersion();
    void usageErrors_data();
    void usageErrors();
    void windowNeedsDisplay();
    void screenshots();
    void markedDefects();
    void otherDesktops();
    void outputThatCannotBeWritten_data();
    void outputThatCannotBeWritten();
    void catalogueNotUtf8();
    void ownerAloneRightToLeft();
    void vlanCases();

private:
    QTemporaryDir m_dir;
};

void TestHostProgram::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFileInfo(QStringLiteral(ODU_DEMO_EXE)).isExecutable());
}

void TestHostProgram::helpAndVersion()
{
    Outcome o = runDemo({u"--help"_s});
    QCOMPARE(o.exitCode, 0);
    QVERIFY2(o.out.startsWith(u"Usage: "_s) && o.out.contains(u"odu-switch-demo [options]"_s), qPrintable(o.out));
    QVERIFY(o.out.contains(u"--screenshot <DIR>"_s));
    QVERIFY(o.out.contains(u"--catalogue <FILE>"_s));
    QVERIFY(o.out.contains(u"--language <CODE>"_s));

    o = runDemo({u"--version"_s});
    QCOMPARE(o.exitCode, 0);
    QVERIFY2(o.out.startsWith(u"odu-switch-demo "_s), qPrintable(o.out));
}

void TestHostProgram::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");

    const QString dir = m_dir.path();
    const QString notADir = m_dir.filePath(u"file.txt"_s);
    QFile f(notADir);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    QTest::newRow("unknown option") << QStringList{u"--bogus"_s} << u"Unknown option 'bogus'"_s;
    QTest::newRow("missing folder name") << QStringList{u"--screenshot"_s} << u"Missing value after '--screenshot'"_s;
    QTest::newRow("stray argument") << QStringList{u"shots"_s} << u"unexpected argument 'shots'"_s;
    QTest::newRow("folder missing") << QStringList{u"--screenshot"_s, m_dir.filePath(u"none"_s)}
                                    << u"does not exist"_s;
    QTest::newRow("folder is a file") << QStringList{u"--screenshot"_s, notADir} << u"is not a folder"_s;
    QTest::newRow("folder not writable") << QStringList{u"--screenshot"_s, u"/proc"_s} << u"is not writable"_s;
    QTest::newRow("unknown palette") << QStringList{u"--palette"_s, u"purple"_s} << u"unknown palette 'purple'"_s;
    QTest::newRow("screen too small") << QStringList{u"--screenshot"_s, dir, u"--screen"_s, u"10x10"_s}
                                      << u"needs WIDTHxHEIGHT"_s;
    QTest::newRow("screen without pictures") << QStringList{u"--screen"_s, u"800x600"_s} << u"needs --screenshot"_s;
    // The catalogues the build made ready are the ones installed with the program.
    QTest::newRow("unknown language")
        << QStringList{u"--language"_s, u"xx"_s}
        << u"unknown language 'xx' (one of: ar, de, "_s;
    QTest::newRow("catalogue missing")
        << QStringList{u"--screenshot"_s, dir, u"--catalogue"_s, m_dir.filePath(u"no.ini"_s)}
        << u"does not exist"_s;
}

void TestHostProgram::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const Outcome o = runDemo(args);
    QCOMPARE(o.exitCode, 2);
    QVERIFY2(o.err.contains(message), qPrintable(o.err));
    QVERIFY(o.err.contains(u"--help"_s));
    QCOMPARE(o.out, QString());
    QCOMPARE(QDir(m_dir.path()).entryList({u"*.png"_s}), QStringList());
}

void TestHostProgram::windowNeedsDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.remove(u"QT_QPA_PLATFORM"_s);
    const Outcome o = runDemo({}, env);
    QCOMPARE(o.exitCode, 2); // trouble: nothing was done
    QVERIFY2(o.err.contains(u"no display available"_s), qPrintable(o.err));
    QVERIFY(o.err.contains(u"--screenshot DIR"_s));
}

void TestHostProgram::screenshots()
{
    const QString shots = m_dir.filePath(u"shots"_s);
    QVERIFY(QDir().mkpath(shots));
    const QString catalogue = m_dir.filePath(u"cat.ini"_s);
    {
        QFile f(catalogue);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[QOS]\nRemote QoS Configuration Dialog=Vzdálený dialog QoS\n"
                "[VLAN]\nremote_vlan_cfg_dlg=Vzdálený dialog VLAN\n");
    }

    const Outcome o = runDemo({u"--screenshot"_s, shots, u"--catalogue"_s, catalogue, u"--remote"_s});
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));

    // The sizes the pictures must have: the same dialogs, built here.
    TIniFile ini(catalogue);
    QList<QPair<QString, QSize>> expected;
    {
        QByteArray cfg(40, char(0xFF));
        int size = 0;
        auto qos = std::make_unique<TQos_form>(nullptr, false, &ini, reinterpret_cast<unsigned char*>(cfg.data()), &size);
        qos->show();
        settle();
        for (int page = 1; page <= qos->PageControl1->count(); ++page)
            expected.append({u"qos-page%1.png"_s.arg(page), pictureSize(qos.get())});
        qos->Button3->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    {
        QByteArray cfg(82, char(0xFF));
        int size = 0;
        auto vlan = std::make_unique<TVlan_form>(nullptr, false, &ini, reinterpret_cast<unsigned char*>(cfg.data()),
                                                 &size, false, 1, 0, 0, 0x08);
        vlan->show();
        settle();
        for (int page = 1; page <= vlan->PageControl1->count(); ++page)
            expected.append({u"vlan-page%1.png"_s.arg(page), pictureSize(vlan.get())});
        QSize vidEntry;
        QTimer::singleShot(0, vlan.get(), [&vidEntry] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            settle();
            vidEntry = pictureSize(modal);
            modal->close();
        });
        vlan->Button1->click();
        QVERIFY(vidEntry.isValid());
        expected.append({u"vid-entry.png"_s, vidEntry});
    }
    QCOMPARE(expected.size(), 3 + 4 + 1);

    QStringList printed = o.out.split(u'\n', Qt::SkipEmptyParts);
    QStringList wanted;
    for (const auto& e : expected)
        wanted.append(QDir(shots).absoluteFilePath(e.first));
    QCOMPARE(printed, wanted);

    for (const auto& e : expected) {
        const QString path = QDir(shots).filePath(e.first);
        QVERIFY2(QFileInfo(path).size() > 0, qPrintable(path));
        QImage picture(path);
        QVERIFY2(!picture.isNull(), qPrintable(path));
        QCOMPARE(picture.size(), e.second);
        QVERIFY2(distinctColours(picture) > 8, qPrintable(path)); // drawn, not a blank rectangle
    }
}

// The red of the frames around ill-fitting captions.
int framePixels(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == qRgb(220, 0, 0) ? 1 : 0;
    }
    return n;
}

void TestHostProgram::markedDefects()
{
    // A caption longer than any screen cannot fit, whatever the layout does.
    const QString catalogue = m_dir.filePath(u"long.ini"_s);
    {
        QFile f(catalogue);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[VLAN]\nentry_vid=" + QByteArray(3000, 'W') + "\n");
    }
    QMap<bool, int> frames;
    for (bool mark : {false, true}) {
        const QString shots = m_dir.filePath(mark ? u"marked"_s : u"plain"_s);
        QVERIFY(QDir().mkpath(shots));
        QStringList args{u"--screenshot"_s, shots, u"--catalogue"_s, catalogue};
        if (mark)
            args.append(u"--mark-defects"_s);
        const Outcome o = runDemo(args);
        QVERIFY2(o.exitCode == 0, qPrintable(o.err));
        const QImage picture(QDir(shots).filePath(u"vid-entry.png"_s));
        QVERIFY(!picture.isNull());
        frames[mark] = framePixels(picture);
    }
    QCOMPARE(frames[false], 0);
    QVERIFY(frames[true] > 20);
}


// Qt's own options and the desktop options reach the pictures: a dark
// palette, right to left, and a screen smaller than the dialogs, whose
// windows stay within it.
void TestHostProgram::otherDesktops()
{
    const QString shots = m_dir.filePath(u"desktops"_s);
    QVERIFY(QDir().mkpath(shots));
    const Outcome o = runDemo({u"--screenshot"_s, shots, u"--palette"_s, u"dark"_s, u"--screen"_s, u"520x360"_s,
                               u"-reverse"_s, u"-style"_s, u"fusion"_s});
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    const QStringList files = o.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(files.size(), 3 + 4 + 1);
    for (const QString& file : files) {
        const QImage picture(file);
        QVERIFY2(!picture.isNull(), qPrintable(file));
        // The window and the title strip above it.
        QVERIFY2(picture.width() <= 520 && picture.height() <= 360 + 40, qPrintable(file));
        // The window's own colour, just under the strip, is the dark palette's.
        QVERIFY2(qGray(picture.pixel(1, picture.height() - 2)) < 80, qPrintable(file));
    }
}

void TestHostProgram::outputThatCannotBeWritten_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("closed"); // standard output closed, not /dev/full
    const QString shots = m_dir.filePath(u"full"_s);
    QVERIFY(QDir().mkpath(shots));
    QTest::newRow("pictures > /dev/full") << QStringList{u"--screenshot"_s, shots} << false;
    QTest::newRow("help > /dev/full") << QStringList{u"--help"_s} << false;
    QTest::newRow("version > /dev/full") << QStringList{u"--version"_s} << false;
    QTest::newRow("pictures, output closed") << QStringList{u"--screenshot"_s, shots} << true;
}

// What the demo prints on standard output must arrive: on a full disk (or a
// closed output) it says so and fails, instead of reporting success.
void TestHostProgram::outputThatCannotBeWritten()
{
    QFETCH(QStringList, args);
    QFETCH(bool, closed);
    const auto setup = closed ? std::function<void()>([] { ::close(STDOUT_FILENO); }) : std::function<void()>([] {
        const int fd = ::open("/dev/full", O_WRONLY);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    });
    const Outcome o = runDemo(args, QProcessEnvironment::systemEnvironment(), setup);
    QCOMPARE(o.exitCode, 2);
    QVERIFY2(o.err.contains(u"odu-switch-demo: cannot write to standard output"_s), qPrintable(o.err));
}

// A catalogue in another encoding than UTF-8 is drawn (with U+FFFD for
// what does not decode), and the demo says on standard error which file and
// where, instead of silently showing the replacement character.
void TestHostProgram::catalogueNotUtf8()
{
    const QString shots = m_dir.filePath(u"latin1"_s);
    QVERIFY(QDir().mkpath(shots));
    const QString catalogue = m_dir.filePath(u"latin1.ini"_s);
    {
        QFile f(catalogue);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[VLAN]\nentry_vid=Eingabe der VID f\xfcr das Ger\xe4t\n");
    }
    const Outcome o = runDemo({u"--screenshot"_s, shots, u"--catalogue"_s, catalogue});
    QCOMPARE(o.exitCode, 0);
    QVERIFY2(o.err.contains(u"odu-switch-demo: warning: catalogue '%1': not UTF-8: line 2, byte 35 (byte 28 of the "
                            "line, 0xfc)"_s.arg(catalogue)),
             qPrintable(o.err));
    QCOMPARE(o.out.split(u'\n', Qt::SkipEmptyParts).size(), 8);

    const Outcome clean = runDemo({u"--screenshot"_s, shots});
    QCOMPARE(clean.exitCode, 0);
    QVERIFY2(!clean.err.contains(u"UTF-8"_s), qPrintable(clean.err));
}

// The host's window alone right to left (--owner-direction rtl) draws the
// same pictures as the whole application right to left (-reverse), Arabic
// and English: the dialogs follow their owner, and their texts the dialogs.
void TestHostProgram::ownerAloneRightToLeft()
{
    for (const QStringList& language : {QStringList{}, QStringList{u"--language"_s, u"ar"_s}}) {
        const QString tag = language.isEmpty() ? u"en"_s : u"ar"_s;
        const QString byOwner = m_dir.filePath(u"owner-"_s + tag);
        const QString byApplication = m_dir.filePath(u"application-"_s + tag);
        QVERIFY(QDir().mkpath(byOwner) && QDir().mkpath(byApplication));
        const Outcome owner = runDemo(QStringList{u"--screenshot"_s, byOwner, u"--owner-direction"_s, u"rtl"_s,
                                                  u"--sample-table"_s} + language);
        const Outcome application = runDemo(QStringList{u"--screenshot"_s, byApplication, u"-reverse"_s,
                                                        u"--sample-table"_s} + language);
        QVERIFY2(owner.exitCode == 0 && application.exitCode == 0, qPrintable(owner.err + application.err));
        const QStringList names = QDir(byOwner).entryList({u"*.png"_s}, QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 8);
        QCOMPARE(QDir(byApplication).entryList({u"*.png"_s}, QDir::Files, QDir::Name), names);
        for (const QString& name : names) {
            const QImage a(QDir(byOwner).filePath(name));
            const QImage b(QDir(byApplication).filePath(name));
            QVERIFY2(!a.isNull() && a == b, qPrintable(tag + u' ' + name));
        }
        // Right to left indeed: not the left-to-right picture.
        const QString leftToRight = m_dir.filePath(u"ltr-"_s + tag);
        QVERIFY(QDir().mkpath(leftToRight));
        QCOMPARE(runDemo(QStringList{u"--screenshot"_s, leftToRight, u"--sample-table"_s} + language).exitCode, 0);
        QVERIFY(QImage(QDir(leftToRight).filePath(u"vlan-page1.png"_s))
                != QImage(QDir(byOwner).filePath(u"vlan-page1.png"_s)));
    }
}

// --vlan-mode and --sample-table change what the VLAN pages show, and
// nothing else: the QoS pages stay as they were.
void TestHostProgram::vlanCases()
{
    const auto shoot = [this](const QString& name, const QStringList& extra) {
        const QString dir = m_dir.filePath(name);
        QDir().mkpath(dir);
        const Outcome o = runDemo(QStringList{u"--screenshot"_s, dir} + extra);
        return o.exitCode == 0 ? dir : QString();
    };
    const QString plain = shoot(u"vlan-plain"_s, {});
    const QString disable = shoot(u"vlan-disable"_s, {u"--vlan-mode"_s, u"disable"_s});
    const QString doubleTag = shoot(u"vlan-double"_s, {u"--vlan-mode"_s, u"double"_s});
    const QString sample = shoot(u"vlan-sample"_s, {u"--sample-table"_s});
    QVERIFY(!plain.isEmpty() && !disable.isEmpty() && !doubleTag.isEmpty() && !sample.isEmpty());
    const auto picture = [](const QString& dir, const char* name) { return QImage(QDir(dir).filePath(QLatin1String(name))); };
    // The default image is in Disable mode.
    QCOMPARE(picture(disable, "vlan-page1.png"), picture(plain, "vlan-page1.png"));
    QVERIFY(picture(doubleTag, "vlan-page1.png") != picture(plain, "vlan-page1.png"));
    QVERIFY(picture(sample, "vlan-page2.png") != picture(plain, "vlan-page2.png"));
    for (const char* qos : {"qos-page1.png", "qos-page2.png", "qos-page3.png"})
        QCOMPARE(picture(doubleTag, qos), picture(plain, qos));
}

QTEST_MAIN(TestHostProgram)
#include "tst_host_program.moc"
