// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "bench/CheckThroughput.h"

#include "core/ArrayCheck.h"
#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this thread, or of the children that have ended: on a
// machine that others share, the wall clock also counts their work.
double threadCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double childrenCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Arrays as units save them: default images and full 22-entry tables in
// every mode, a third QoS, two thirds VLAN.
std::vector<QByteArray> configuredArrays(int count)
{
    std::vector<QByteArray> arrays;
    arrays.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const bool qos = i % 3 == 0;
        QByteArray a = qos ? QByteArray(reinterpret_cast<const char*>(QosConfigArray::defaultImage().data()), kQosConfigSize)
                           : QByteArray(reinterpret_cast<const char*>(VlanConfigArray::defaultImage().data()), kVlanConfigSize);
        if (!qos && i % 2 == 0) {
            VlanConfigArray cfg(reinterpret_cast<unsigned char*>(a.data()));
            cfg.set_vlan_mode(char(i % 3));
            for (int s = 0; s < kMaxStaticVlans; ++s) {
                StaticVlanEntry e;
                e.vid = (unsigned short)(1 + s);
                e.codes = {1, 1, 1, 2, 2, (unsigned char)(s == 0 ? 1 : 3)};
                cfg.writeSlot(s, e);
            }
            cfg.set_pocet_vlan(kMaxStaticVlans);
        }
        arrays.push_back(a);
    }
    return arrays;
}

// Random bytes: nearly every array has findings, each a sentence.
std::vector<QByteArray> randomArrays(int count)
{
    std::mt19937 rng(42);
    std::vector<QByteArray> arrays;
    for (int i = 0; i < count; ++i) {
        QByteArray a(i % 3 == 0 ? kQosConfigSize : kVlanConfigSize, '\0');
        for (char& c : a)
            c = char(rng() & 0xFF);
        arrays.push_back(a);
    }
    return arrays;
}

// Whole passes over the arrays for at least half a second; arrays per second.
void printInMemory(const char* what, const std::vector<QByteArray>& arrays)
{
    const UnitFactsForCheck facts;
    long long checked = 0;
    long long findings = 0;
    const auto start = Clock::now();
    const double cpuStart = threadCpuSeconds();
    do {
        for (const QByteArray& a : arrays) {
            const ArrayKind kind = a.size() == kQosConfigSize ? ArrayKind::Qos : ArrayKind::Vlan;
            findings += checkArray(kind, reinterpret_cast<const unsigned char*>(a.constData()), facts).size();
        }
        checked += (long long)arrays.size();
    } while (threadCpuSeconds() - cpuStart < 0.5);
    std::printf("check in memory, %s: %.0f arrays per CPU second (%.0f per wall second; %.2f findings per array); "
                "target >= 1,000,000\n",
                what, double(checked) / (threadCpuSeconds() - cpuStart), double(checked) / secondsSince(start),
                double(findings) / double(checked));
}

} // namespace

void printCheckThroughput(const QString& toolPath)
{
    const std::vector<QByteArray> configured = configuredArrays(1000);
    const std::vector<QByteArray> random = randomArrays(1000);
    printInMemory("configured arrays", configured);
    printInMemory("random bytes", random);

    // Through the tool: 10,000 files in one call.
    if (!QFileInfo::exists(toolPath)) {
        std::printf("odu-switch not found at %s: no file figure\n", qPrintable(toolPath));
        return;
    }
    QTemporaryDir dir;
    QStringList args{QStringLiteral("check")};
    constexpr int kFiles = 10000;
    for (int i = 0; i < kFiles; ++i) {
        const QString path = dir.filePath(QStringLiteral("unit%1.bin").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return;
        // Nine configured arrays to one of random bytes.
        f.write(i % 10 == 9 ? random[std::size_t(i) % random.size()] : configured[std::size_t(i) % configured.size()]);
        args << path;
    }
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    const auto t0 = Clock::now();
    const double cpu0 = childrenCpuSeconds();
    tool.start(toolPath, args);
    tool.waitForFinished(600000);
    const double seconds = secondsSince(t0);
    const double cpu = childrenCpuSeconds() - cpu0;
    std::printf("check over %d files in one call (9 in 10 configured): %.0f files per CPU second "
                "(%.0f per wall second, %.3f s; exit %d); target >= 20,000\n",
                kFiles, kFiles / cpu, kFiles / seconds, seconds, tool.exitCode());
}
