// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// A small file system of its own for a test that needs a write to fail
// honestly: a tmpfs mounted on a fresh folder (needs root, as CI runs the
// suite), unmounted on destruction. Without root, or where mounting is not
// allowed (a container without the capability), mounted() is false and
// reason() says why, for QSKIP.
class ScratchFileSystem
{
public:
    explicit ScratchFileSystem(int kilobytes = 64);
    ~ScratchFileSystem();
    ScratchFileSystem(const ScratchFileSystem&) = delete;
    ScratchFileSystem& operator=(const ScratchFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_path; }
    QString filePath(const QString& name) const { return m_path + QLatin1Char('/') + name; }

    // Writes a filler file until the file system is full; false if it did
    // not fill.
    bool fill();
    // Makes the file system read-only (it stays mounted); false on failure.
    bool makeReadOnly();

private:
    QString m_path;
    QString m_reason;
    bool m_mounted = false;
};
