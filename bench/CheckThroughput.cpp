#include "bench/CheckThroughput.h"

#include "core/ArrayCheck.h"
#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A mix as a support desk sees it: mostly configured arrays, some random,
// some blank; a third QoS, two thirds VLAN.
std::vector<QByteArray> sampleArrays(int count)
{
    std::mt19937 rng(42);
    std::vector<QByteArray> arrays;
    arrays.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const bool qos = i % 3 == 0;
        QByteArray a = qos ? QByteArray(reinterpret_cast<const char*>(QosConfigArray::defaultImage().data()), kQosConfigSize)
                           : QByteArray(reinterpret_cast<const char*>(VlanConfigArray::defaultImage().data()), kVlanConfigSize);
        if (i % 10 == 1)
            a.fill(char(0xFF));
        else if (i % 4 == 2)
            for (char& c : a)
                c = char(rng() & 0xFF);
        else if (!qos) {
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

} // namespace

void printCheckThroughput(const QString& toolPath)
{
    const std::vector<QByteArray> arrays = sampleArrays(1000);
    const UnitFactsForCheck facts;

    // In memory: whole passes over the sample for at least half a second.
    long long checked = 0;
    qsizetype findings = 0;
    const auto start = Clock::now();
    do {
        for (const QByteArray& a : arrays) {
            const ArrayKind kind = a.size() == kQosConfigSize ? ArrayKind::Qos : ArrayKind::Vlan;
            findings += checkArray(kind, reinterpret_cast<const unsigned char*>(a.constData()), facts).size();
        }
        checked += qsizetype(arrays.size());
    } while (secondsSince(start) < 0.5);
    const double inMemory = double(checked) / secondsSince(start);
    std::printf("check in memory: %.0f arrays/s (%lld arrays, %lld findings); target >= 1,000,000\n", inMemory,
                checked, (long long)findings);

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
        f.write(arrays[std::size_t(i) % arrays.size()]);
        args << path;
    }
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    const auto t0 = Clock::now();
    tool.start(toolPath, args);
    tool.waitForFinished(600000);
    const double seconds = secondsSince(t0);
    std::printf("check over %d files in one call: %.0f files/s (%.3f s, exit %d); target >= 20,000\n", kFiles,
                kFiles / seconds, seconds, tool.exitCode());
}
