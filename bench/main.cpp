// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// odu-switch-bench: how fast the dialogs open and respond, on the offscreen
// platform. Prints a table and exits; not a test (nothing here passes or
// fails). Every figure is the median of many runs after warm-up; the floor is
// each dialog's own form set up by setupUi alone on a bare QDialog, with the
// texts the dialog shows (FloorDialogs.h), measured in the same run, so that
// ours / floor is what the library adds.
//
//   odu-switch-bench [--runs N] [--host PATH] [--tool PATH]   the table
//   odu-switch-bench --check-only [--tool PATH] the array check rows alone
//   odu-switch-bench --open-once WHICH          one warm opening of qos, vlan,
//                                               qos-floor or vlan-floor, qos-catalogue,
//                                               vlan-catalogue, their floors
//                                               qos-catalogue-floor and
//                                               vlan-catalogue-floor, or qos-1k, qos-10k,
//                                               vlan-1k, vlan-10k (every text that
//                                               long), for callgrind
//   odu-switch-bench --leak-cycles N            N open/close cycles of each dialog
//                                               (for LeakSanitizer)

#include "bench/CatalogueLoad.h"
#include "bench/CheckThroughput.h"
#include "bench/FloorDialogs.h"
#include "bench/LongTexts.h"
#include "testing/ModalAnswering.h"
#include "testing/OpenCloseCycles.h"
#include "core/IniFile.h"
#include "core/CaptionTables.h"
#include "qos/Qos_form.h"
#include "core/StaticVlanTable.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QMessageBox>
#include <QPixmap>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define ODU_CALLGRIND_START() CALLGRIND_START_INSTRUMENTATION
#define ODU_CALLGRIND_STOP() CALLGRIND_STOP_INSTRUMENTATION
#else
#define ODU_CALLGRIND_START() (void)0
#define ODU_CALLGRIND_STOP() (void)0
#endif

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Stats
{
    double median = 0, low = 0, high = 0; // milliseconds; high is the 90th percentile
};

Stats measure(int runs, int warmup, const std::function<double()>& once)
{
    for (int i = 0; i < warmup; ++i)
        once();
    std::vector<double> t;
    t.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i)
        t.push_back(once());
    std::sort(t.begin(), t.end());
    return {t[t.size() / 2], t.front(), t[std::min(t.size() - 1, t.size() * 9 / 10)]};
}

// Several measurements taken in turn, run after run, so that a change of the
// machine's load during the benchmark falls on all of them alike.
std::vector<Stats> measureInTurn(int runs, int warmup, const std::vector<std::function<double()>>& each)
{
    for (int i = 0; i < warmup; ++i)
        for (const auto& f : each)
            f();
    std::vector<std::vector<double>> t(each.size());
    for (int i = 0; i < runs; ++i)
        for (std::size_t k = 0; k < each.size(); ++k)
            t[k].push_back(each[k]());
    std::vector<Stats> out;
    for (auto& v : t) {
        std::sort(v.begin(), v.end());
        out.push_back({v[v.size() / 2], v.front(), v[std::min(v.size() - 1, v.size() * 9 / 10)]});
    }
    return out;
}

// Times one call, in milliseconds.
template <typename F>
double timed(F&& f)
{
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// ---- Arrays and catalogues ------------------------------------------------

std::array<unsigned char, kQosConfigSize> qosDefault()
{
    return QosConfigArray::defaultImage();
}

std::array<unsigned char, kVlanConfigSize> vlanDefault()
{
    return VlanConfigArray::defaultImage();
}

QByteArray fullCatalogueText()
{
    return QByteArray("; every key of both sections\n") + CaptionTables::catalogueText([](const CaptionRow& row) {
               return QString::fromUtf8(row.english) + QStringLiteral(" (x)");
           });
}

// ---- Openings ------------------------------------------------------------------

struct Opening
{
    std::function<QDialog*()> make;
    QString name;
};

// Construct, show, first paint.
QDialog* openOnce(const std::function<QDialog*()>& make)
{
    QDialog* d = make();
    d->show();
    (void)d->grab();
    return d;
}

double timedOpening(const std::function<QDialog*()>& make)
{
    QDialog* d = nullptr;
    const double ms = timed([&] { d = openOnce(make); });
    delete d;
    QCoreApplication::processEvents();
    return ms;
}

// The Qt widget classes a dialog is made of, by count.
QMap<QString, int> widgetKinds(QWidget* root)
{
    static const char* const kinds[] = {"QTableWidget", "QLineEdit", "QComboBox", "QCheckBox", "QRadioButton",
                                        "QPushButton", "QLabel", "QGroupBox", "QTabWidget"};
    QMap<QString, int> count;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w->parentWidget()) || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        for (const char* k : kinds)
            if (w->inherits(k)) {
                if (QByteArray(k) == "QLineEdit" && qobject_cast<QComboBox*>(w->parentWidget()))
                    continue;
                ++count[QString::fromLatin1(k)];
            }
    }
    return count;
}

QString kindsText(const QMap<QString, int>& kinds)
{
    QStringList parts;
    for (auto it = kinds.begin(); it != kinds.end(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key().mid(1));
    return parts.join(QStringLiteral(", "));
}

// Answers the next message box with Yes, from the event loop it runs in.
void answerYesSoon()
{
    whenModal([](QWidget* modal) {
        if (qobject_cast<QMessageBox*>(modal))
            answerBox(modal, QMessageBox::Yes);
    });
}

long childPeakRssKb(const QString& program, const QStringList& args)
{
    std::fflush(stdout); // a child must not inherit (and flush) what is not yet written
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        std::vector<QByteArray> storage;
        storage.push_back(program.toLocal8Bit());
        for (const QString& a : args)
            storage.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (auto& s : storage)
            argv.push_back(s.data());
        argv.push_back(nullptr);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

void row(const char* what, const Stats& s, const char* target = "")
{
    std::printf("| %-58s | %9.3f | %9.3f | %9.3f | %-10s |\n", what, s.median, s.low, s.high, target);
}

int argNumber(const QStringList& args, const QString& name, int fallback)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1].toInt() : fallback;
}

QString argText(const QStringList& args, const QString& name, const QString& fallback)
{
    const int i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

} // namespace

// Kept out of line under their own names so that callgrind can collect exactly
// one opening (--toggle-collect=benchOpen*).
extern "C" __attribute__((noinline)) QDialog* benchOpenMeasured(const std::function<QDialog*()>* make)
{
    return openOnce(*make);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type != QtWarningMsg || !msg.startsWith(QLatin1String("This plugin does not support")))
            std::fprintf(stderr, "%s\n", qPrintable(msg));
    });

    const QString toolPath = argText(args, QStringLiteral("--tool"),
                                     QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/odu-switch"));
    if (args.contains(QStringLiteral("--check-only"))) {
        printCheckThroughput(toolPath);
        return 0;
    }

    TIniFile noCatalogue;
    QTemporaryDir tmp;
    const QString iniPath = tmp.filePath(QStringLiteral("every_key.ini"));
    {
        QFile f(iniPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(fullCatalogueText()) < 0)
            return 1;
    }
    TIniFile fullCatalogue(iniPath);
    // Catalogues with every text 1 KB and 10 KB long.
    const auto longCatalogue = [&](int length) {
        const QString path = tmp.filePath(QStringLiteral("texts_%1.ini").arg(length));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(catalogueWithTextsOf(length)) < 0)
            return std::make_unique<TIniFile>();
        f.close();
        return std::make_unique<TIniFile>(path);
    };
    const std::unique_ptr<TIniFile> texts1k = longCatalogue(1024), texts10k = longCatalogue(10240);

    auto qosArray = qosDefault();
    auto vlanArray = vlanDefault();
    int size = 0;
    const auto qos = [&](TIniFile* ini) {
        return std::function<QDialog*()>([&, ini] {
            qosArray = qosDefault();
            return new TQos_form(nullptr, true, ini, qosArray.data(), &size);
        });
    };
    const auto vlan = [&](TIniFile* ini) {
        return std::function<QDialog*()>([&, ini] {
            vlanArray = vlanDefault();
            return new TVlan_form(nullptr, true, ini, vlanArray.data(), &size, false, 1, 0, 0, kLine4CapabilityBit);
        });
    };
    // A floor shows what its dialog shows, without a catalogue or with the
    // full one, taken from one opening the first time the floor is made.
    const auto shownBy = [](const std::function<QDialog*()>& make) {
        return [make, values = std::optional<FloorValues>()]() mutable -> const FloorValues& {
            if (!values) {
                const std::unique_ptr<QDialog> d(make());
                values = floorValuesOf(d.get());
            }
            return *values;
        };
    };
    const std::function<QDialog*()> qosFloor = [shown = shownBy(qos(&noCatalogue))]() mutable {
        return makeQosFloor(shown());
    };
    const std::function<QDialog*()> vlanFloor = [shown = shownBy(vlan(&noCatalogue))]() mutable {
        return makeVlanFloor(shown());
    };
    const std::function<QDialog*()> qosCatalogueFloor = [shown = shownBy(qos(&fullCatalogue))]() mutable {
        return makeQosFloor(shown());
    };
    const std::function<QDialog*()> vlanCatalogueFloor = [shown = shownBy(vlan(&fullCatalogue))]() mutable {
        return makeVlanFloor(shown());
    };

    // ---- One opening, for callgrind ------------------------------------------
    const QString once = argText(args, QStringLiteral("--open-once"), QString());
    if (!once.isEmpty()) {
        std::function<QDialog*()> make;
        if (once == QLatin1String("qos"))
            make = qos(&noCatalogue);
        else if (once == QLatin1String("qos-catalogue"))
            make = qos(&fullCatalogue);
        else if (once == QLatin1String("vlan"))
            make = vlan(&noCatalogue);
        else if (once == QLatin1String("vlan-catalogue"))
            make = vlan(&fullCatalogue);
        else if (once == QLatin1String("qos-floor"))
            make = qosFloor;
        else if (once == QLatin1String("vlan-floor"))
            make = vlanFloor;
        else if (once == QLatin1String("qos-catalogue-floor"))
            make = qosCatalogueFloor;
        else if (once == QLatin1String("vlan-catalogue-floor"))
            make = vlanCatalogueFloor;
        else if (once == QLatin1String("qos-1k"))
            make = qos(texts1k.get());
        else if (once == QLatin1String("qos-10k"))
            make = qos(texts10k.get());
        else if (once == QLatin1String("vlan-1k"))
            make = vlan(texts1k.get());
        else if (once == QLatin1String("vlan-10k"))
            make = vlan(texts10k.get());
        else
            return 2;
        delete openOnce(make); // warm: fonts, styles, platform window set up
        QCoreApplication::processEvents();
        // Under callgrind started with --instr-atstart=no, only the measured
        // opening runs instrumented (the rest runs several times faster).
        ODU_CALLGRIND_START();
        QDialog* opened = benchOpenMeasured(&make);
        ODU_CALLGRIND_STOP();
        delete opened;
        return 0;
    }

    // ---- Open/close cycles, for LeakSanitizer ----------------------------------
    const int cycles = argNumber(args, QStringLiteral("--leak-cycles"), 0);
    if (cycles > 0) {
        const int failed = runOpenCloseCycles(cycles, &noCatalogue, &fullCatalogue);
        if (failed == 0)
            std::printf("%d open/close cycles of each dialog, with message boxes and VID entry dialogs\n", cycles);
        return failed == 0 ? 0 : 1;
    }

    // ---- The table -------------------------------------------------------------
    const int runs = argNumber(args, QStringLiteral("--runs"), 41);
    const int warm = 5;
    std::printf("odu-switch-bench: median of %d runs after %d warm-up runs, milliseconds, offscreen platform\n"
                "(the eight openings are measured in turn, run after run)\n\n",
                runs, warm);
    std::printf("| %-58s | %9s | %9s | %9s | %-10s |\n", "measurement", "median", "min", "p90", "target");
    std::printf("|%s|%s|%s|%s|%s|\n", QByteArray(60, '-').constData(), QByteArray(11, '-').constData(),
                QByteArray(11, '-').constData(), QByteArray(11, '-').constData(), QByteArray(12, '-').constData());

    const std::vector<Stats> openings = measureInTurn(runs, warm, {
        [&] { return timedOpening(qos(&noCatalogue)); },
        [&] { return timedOpening(qos(&fullCatalogue)); },
        [&] { return timedOpening(qosFloor); },
        [&] { return timedOpening(qosCatalogueFloor); },
        [&] { return timedOpening(vlan(&noCatalogue)); },
        [&] { return timedOpening(vlan(&fullCatalogue)); },
        [&] { return timedOpening(vlanFloor); },
        [&] { return timedOpening(vlanCatalogueFloor); },
    });
    const Stats &qosNo = openings[0], &qosFull = openings[1], &qosBare = openings[2], &qosFullBare = openings[3];
    const Stats &vlanNo = openings[4], &vlanFullCat = openings[5], &vlanBare = openings[6],
                &vlanFullBare = openings[7];
    row("QoS dialog open-to-painted, no catalogue", qosNo, "< 25");
    row("QoS dialog open-to-painted, full catalogue", qosFull, "< 25");
    row("QoS floor (its form by setupUi alone, same texts)", qosBare);
    row("QoS floor, the full catalogue's texts", qosFullBare);
    row("VLAN dialog open-to-painted, no catalogue", vlanNo, "< 25");
    row("VLAN dialog open-to-painted, full catalogue", vlanFullCat, "< 25");
    row("VLAN floor (its form by setupUi alone, same texts)", vlanBare);
    row("VLAN floor, the full catalogue's texts", vlanFullBare);

    // Very long texts: the cost should follow their total length.
    {
        const int longRuns = std::max(5, runs / 8);
        const std::vector<Stats> longOpenings = measureInTurn(longRuns, 1, {
            [&] { return timedOpening(qos(texts1k.get())); },
            [&] { return timedOpening(qos(texts10k.get())); },
            [&] { return timedOpening(vlan(texts1k.get())); },
            [&] { return timedOpening(vlan(texts10k.get())); },
        });
        const auto label = [](const char* dialog, int kb, qint64 fileBytes) {
            return QByteArray(dialog) + " open-to-painted, every text " + QByteArray::number(kb)
                + " KB (" + QByteArray::number((fileBytes + 512) / 1024) + " KB file)";
        };
        const qint64 bytes1k = QFileInfo(texts1k->FileName()).size(), bytes10k = QFileInfo(texts10k->FileName()).size();
        row(label("QoS", 1, bytes1k).constData(), longOpenings[0]);
        row(label("QoS", 10, bytes10k).constData(), longOpenings[1]);
        row(label("VLAN", 1, bytes1k).constData(), longOpenings[2]);
        row(label("VLAN", 10, bytes10k).constData(), longOpenings[3]);
    }

    // Handlers.
    {
        qosArray = qosDefault();
        std::unique_ptr<TQos_form> d(new TQos_form(nullptr, true, &noCatalogue, qosArray.data(), &size));
        int flip = 0;
        row("QoS StringGrid2Exit, 64 changed rows", measure(runs, warm, [&] {
                ++flip;
                for (int r = 1; r <= 64; ++r)
                    d->StringGrid2->setCellText(1, r, QString::number((r + flip) % 4));
                return timed([&] { d->StringGrid2Exit(d->StringGrid2); });
            }), "< 2");
        row("QoS Button2Click, confirmation answered Yes, reload", measure(runs, warm, [&] {
                return timed([&] {
                    answerYesSoon();
                    d->Button2Click(d->Button2);
                });
            }), "< 2");
        row("QoS inicializuj_ovladaci_prvky (the reload alone)",
            measure(runs, warm, [&] { return timed([&] { d->inicializuj_ovladaci_prvky(); }); }), "< 2");
    }
    {
        auto full = acceptedFullVlanTable();
        std::unique_ptr<TVlan_form> d(new TVlan_form(nullptr, true, &noCatalogue, full.data(), &size, false, 1, 0, 0, kLine4CapabilityBit));
        int mode = 1;
        row("VLAN RadioGroup1Click, 22-entry grid (mode switch)", measure(runs, warm, [&] {
                mode = mode == 1 ? 2 : 1;
                return timed([&] { d->RadioGroup1->setItemIndex(mode); });
            }), "< 2");
        d->RadioGroup1->setItemIndex(1);
        row("VLAN Button3Click, full Set of a 22-entry table, accepted", measure(runs, warm, [&] {
                d->setResult(0);
                const double ms = timed([&] { d->Button3Click(d->Button3); });
                if (d->result() != 1)
                    std::fprintf(stderr, "Set was refused\n");
                return ms;
            }), "< 2");
        row("VLAN Button5Click, confirmation answered Yes, reload", measure(runs, warm, [&] {
                return timed([&] {
                    answerYesSoon();
                    d->Button5Click(d->Button5);
                });
            }), "< 2");
        full = acceptedFullVlanTable();
        row("VLAN nastav_ovladaci_prvky, 22 entries (the reload alone)",
            measure(runs, warm, [&] { return timed([&] { d->nastav_ovladaci_prvky(); }); }), "< 2");
    }

    // The confirmation box alone: what the two reload handlers pay to Qt
    // before they do any work of their own.
    row("floor: a Yes/No/Cancel QMessageBox shown and answered Yes", measure(runs, warm, [&] {
            return timed([&] {
                QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("All changes you have made will be lost."),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                answerYesSoon();
                box.exec();
            });
        }));

    // Catalogue.
    {
        const QByteArray text = fullCatalogueText();
        row("catalogue: TIniFile(file) with every key of both sections",
            measure(runs, warm, [&] { return timed([&] { TIniFile ini(iniPath); }); }), "< 1");
        row("catalogue: parse() of the same text in memory", measure(runs, warm, [&] {
                return timed([&] {
                    TIniFile ini;
                    ini.parse(text);
                });
            }), "< 1");
        const QString section = QStringLiteral("VLAN"), key = QStringLiteral("different_nms_vid_2_l4"),
                      def = QStringLiteral("x");
        const Stats one = measure(runs, warm, [&] {
            int n = 0;
            const double ms = timed([&] {
                for (int i = 0; i < 1000; ++i)
                    n += int(fullCatalogue.ReadString(section, key, def).size());
            });
            return n > 0 ? ms : ms; // a batch of 1000 in ms is one call in microseconds
        });
        row("catalogue: one ReadString, MICROseconds (batches of 1000)", one, "");

        // Throughput and memory at the size limit, where a wrong or hostile
        // file would take the most.
        const qsizetype limit = qsizetype(kCatalogueFileSizeLimit) - 1024;
        const QString bigPath = tmp.filePath(QStringLiteral("big.ini"));
        const struct
        {
            const char* what;
            QByteArray text;
        } loads[] = {{"short keys (k123=v123 lines)", shortKeyCatalogue(limit)},
                     {"every key, repeated under numbered sections", repeatedCatalogue(text, limit)}};
        std::printf("\n");
        for (const auto& load : loads) {
            const CatalogueLoadFigures f = measureCatalogueLoad(bigPath, load.text, std::max(5, runs / 4));
            std::printf("catalogue file of %.1f MB, %s: %s%.1f ms, %.0f MB/s (%.0f MB/s of CPU time; "
                        "target >= 50); held %.2fx the file, peak %.2fx (target <= 4x)\n",
                        f.fileMegabytes, load.what, f.read ? "" : "NOT READ, ", f.medianMs, f.megabytesPerSecond,
                        f.cpuMegabytesPerSecond, f.heldRatio, f.peakRatio);
        }
    }

    std::printf("\nours / floor (medians): QoS %.2fx (full catalogue %.2fx), VLAN %.2fx (full catalogue %.2fx); target <= 1.15x\n",
                qosNo.median / qosBare.median, qosFull.median / qosFullBare.median, vlanNo.median / vlanBare.median,
                vlanFullCat.median / vlanFullBare.median);
    {
        std::unique_ptr<QDialog> a(qos(&noCatalogue)()), b(qosFloor()), c(vlan(&noCatalogue)()), e(vlanFloor());
        std::printf("QoS widgets:   ours  %s\n               floor %s\n", qPrintable(kindsText(widgetKinds(a.get()))),
                    qPrintable(kindsText(widgetKinds(b.get()))));
        std::printf("VLAN widgets:  ours  %s\n               floor %s\n", qPrintable(kindsText(widgetKinds(c.get()))),
                    qPrintable(kindsText(widgetKinds(e.get()))));
    }

    std::printf("\n");
    printCheckThroughput(toolPath);

    // Peak memory of the demo host's screenshot run.
    const QString host = argText(args, QStringLiteral("--host"),
                                 QCoreApplication::applicationDirPath() + QStringLiteral("/../host/odu-switch-demo"));
    QTemporaryDir shots;
    if (QFileInfo::exists(host)) {
        const long kb = childPeakRssKb(host, {QStringLiteral("--screenshot"), shots.path()});
        if (kb > 0)
            std::printf("demo host --screenshot peak resident memory: %.1f MiB\n", double(kb) / 1024.0);
        else
            std::printf("demo host --screenshot run failed (%s)\n", qPrintable(host));
    } else {
        std::printf("demo host not found at %s (build odu-switch-demo or pass --host)\n", qPrintable(host));
    }
    return 0;
}
