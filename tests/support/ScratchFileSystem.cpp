// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "tests/support/ScratchFileSystem.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

ScratchFileSystem::ScratchFileSystem(int kilobytes)
{
    QByteArray folder = QFile::encodeName(QDir::tempPath() + QStringLiteral("/odu-scratch-XXXXXX"));
    if (!::mkdtemp(folder.data())) {
        m_reason = QStringLiteral("no scratch folder: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_path = QFile::decodeName(folder);
    if (::geteuid() != 0) {
        m_reason = QStringLiteral("mounting a small tmpfs needs root (CI runs the suite as root)");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
    if (::mount("tmpfs", folder.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_reason = QStringLiteral("mounting a tmpfs is not allowed here: %1")
                       .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    m_mounted = true;
}

ScratchFileSystem::~ScratchFileSystem()
{
    const QByteArray folder = QFile::encodeName(m_path);
    if (m_mounted)
        ::umount2(folder.constData(), MNT_DETACH);
    if (!m_path.isEmpty())
        ::rmdir(folder.constData());
}

bool ScratchFileSystem::fill()
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const QByteArray chunk(4096, 'x');
    bool full = false;
    for (int i = 0; i < 1 << 20 && !full; ++i)
        full = ::write(fd, chunk.constData(), size_t(chunk.size())) < 0 && errno == ENOSPC;
    // The last partial page too.
    while (::write(fd, "x", 1) == 1) {
    }
    ::close(fd);
    return full;
}

bool ScratchFileSystem::makeReadOnly()
{
    return ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
