// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "bench/CatalogueLoad.h"

#include "core/IniFile.h"

#include <QFile>

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

qint64 heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

// Resident memory and its peak, in bytes, from /proc/self/status.
qint64 statusField(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stoll(line.substr(prefix.size())) * 1024;
    return -1;
}

// Makes the peak resident figure start again from the current one.
bool resetPeakResident()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

} // namespace

QByteArray shortKeyCatalogue(qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + 64);
    for (int n = 0; text.size() < bytes; ++n) {
        if (n % 10000 == 0)
            text += "[S" + QByteArray::number(n / 10000) + "]\n";
        text += 'k' + QByteArray::number(n) + "=v" + QByteArray::number(n) + '\n';
    }
    return text;
}

QByteArray repeatedCatalogue(const QByteArray& oneCopy, qsizetype bytes)
{
    QByteArray text;
    text.reserve(bytes + oneCopy.size());
    // Whole copies only, as many as stay within bytes.
    for (int n = 0;; ++n) {
        const QByteArray copy = "[copy" + QByteArray::number(n) + "]\n" + oneCopy;
        if (text.size() + copy.size() > bytes)
            return text;
        text += copy;
    }
}

CatalogueLoadFigures measureCatalogueLoad(const QString& path, const QByteArray& text, int runs)
{
    CatalogueLoadFigures f;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return f;
    }
    f.fileMegabytes = double(text.size()) / 1e6;

    std::vector<double> ms, cpu;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuMs();
        {
            TIniFile ini(path);
        }
        cpu.push_back(cpuMs() - cpuStart);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    f.medianMs = ms[ms.size() / 2];
    f.megabytesPerSecond = f.fileMegabytes / (f.medianMs / 1000.0);
    f.cpuMegabytesPerSecond = f.fileMegabytes / (cpu[cpu.size() / 2] / 1000.0);

    malloc_trim(0);
    const qint64 heapBefore = heapInUse();
    const qint64 residentBefore = statusField("VmRSS");
    const bool peakReset = resetPeakResident();
    auto ini = std::make_unique<TIniFile>(path);
    const qint64 peak = statusField("VmHWM");
    f.heldRatio = double(heapInUse() - heapBefore) / double(text.size());
    f.peakRatio = peakReset ? double(peak - residentBefore) / double(text.size()) : -1;
    f.read = ini->fileStatus() == CatalogueFileStatus::Read;
    return f;
}
