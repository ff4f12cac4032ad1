// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The frame that the three programs share (toolsupport/ToolProcess.h): lost
// standard output is a failure with exit code 2 and one "program: message"
// line, and a file size limit makes a write fail instead of killing the
// program. One smoke row per program; the tool's own table is in tst_tool.

#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void stdoutToDevFull()
{
    const int fd = ::open("/dev/full", O_WRONLY);
    ::dup2(fd, STDOUT_FILENO);
    ::close(fd);
}

void noFileSize()
{
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_FSIZE, &none);
}

} // namespace

class TestProgramFrame : public QObject
{
    Q_OBJECT

private slots:
    void lostOutputAndFullFiles_data();
    void lostOutputAndFullFiles();
};

void TestProgramFrame::lostOutputAndFullFiles_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args"); // DIR: an empty folder
    QTest::addColumn<bool>("fileSizeLimit"); // else: standard output is /dev/full
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("said");
    const auto add = [](const char* row, const char* program, const QStringList& args, bool limit, int code,
                        const QString& said) {
        if (program[0] != '\0')
            QTest::newRow(row) << QString::fromLocal8Bit(program) << args << limit << code << said;
    };
#ifndef ODU_SWITCH_TOOL
#  define ODU_SWITCH_TOOL ""
#endif
#ifndef ODU_KIT
#  define ODU_KIT ""
#endif
#ifndef ODU_DEMO
#  define ODU_DEMO ""
#endif
    add("odu-switch --help", ODU_SWITCH_TOOL, {u"--help"_s}, false, 2,
        u"odu-switch: cannot write to standard output"_s);
    add("odu-switch default, no file size", ODU_SWITCH_TOOL, {u"default"_s, u"qos"_s, u"-o"_s, u"DIR/q.bin"_s}, true,
        2, u"odu-switch: Writing 'DIR/q.bin' failed: File too large. No file was made."_s);
    add("odu-switch-translate --help", ODU_KIT, {u"--help"_s}, false, 2,
        u"odu-switch-translate: cannot write to standard output"_s);
    add("odu-switch-demo --help", ODU_DEMO, {u"--help"_s}, false, 2,
        u"odu-switch-demo: cannot write to standard output"_s);
    add("odu-switch-demo --screenshot", ODU_DEMO, {u"--screenshot"_s, u"DIR"_s}, false, 2,
        u"odu-switch-demo: cannot write to standard output"_s);
    // Its first write is its description of the offscreen screen: it fails
    // and says so, instead of being killed by SIGXFSZ.
    add("odu-switch-demo --screenshot, no file size", ODU_DEMO, {u"--screenshot"_s, u"DIR"_s}, true, 2,
        u"odu-switch-demo: could not describe the screen to draw on"_s);
}

void TestProgramFrame::lostOutputAndFullFiles()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(bool, fileSizeLimit);
    QFETCH(int, code);
    QFETCH(QString, said);
    QTemporaryDir dir;
    args.replaceInStrings(u"DIR"_s, dir.path());
    said.replace(u"DIR"_s, dir.path());
    ProgramRunOptions options;
    options.childSetup = fileSizeLimit ? noFileSize : stdoutToDevFull;
    const ProgramRun r = runProgram(program, args, options);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(r.finishedNormally, qPrintable(err));
    QCOMPARE(r.exitCode, code);
    QVERIFY2(err.contains(said), qPrintable(err));
    if (fileSizeLimit)
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestProgramFrame)
#include "tst_program_frame.moc"
