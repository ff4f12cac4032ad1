// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QString>

// How fast, and in how much memory, a catalogue of a given text loads from a
// file: the figures behind the benchmark's catalogue throughput rows.
struct CatalogueLoadFigures
{
    double fileMegabytes = 0;
    double medianMs = 0;           // wall clock
    double megabytesPerSecond = 0; // by the wall clock
    double cpuMegabytesPerSecond = 0; // by the process's CPU time (a busy machine's share aside)
    double heldRatio = 0; // heap the loaded catalogue keeps, per byte of file
    double peakRatio = 0; // peak resident growth while loading, per byte of file
    bool read = false;    // the file was read (it is within the size limit)
};

// Catalogue texts of about `bytes` bytes: short keys ("k123=v123" lines under
// a few sections) and the real catalogue's every key, repeated under
// numbered sections.
QByteArray shortKeyCatalogue(qsizetype bytes);
QByteArray repeatedCatalogue(const QByteArray& oneCopy, qsizetype bytes);

// Writes text to path and loads it `runs` times.
CatalogueLoadFigures measureCatalogueLoad(const QString& path, const QByteArray& text, int runs);
