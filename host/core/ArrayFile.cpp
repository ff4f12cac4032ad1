#include "host/core/ArrayFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

ArrayFileLoad loadArrayFile(const QString& path, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    ArrayFileLoad load;
    const QFileInfo info(path);
    if (info.isDir()) {
        load.error = QStringLiteral("'%1' is a folder, not a %2 array file.").arg(path, arrayName(kind));
        return load;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.error = QStringLiteral("'%1' cannot be read: %2").arg(path, file.errorString());
        return load;
    }
    const QByteArray bytes = file.read(size + 1);
    if (bytes.size() != size) {
        const QString held = bytes.size() > size
            ? QStringLiteral("more than %1 bytes").arg(size)
            : bytes.size() == 1 ? QStringLiteral("1 byte")
                                : QStringLiteral("%1 bytes").arg(bytes.size());
        load.error = QStringLiteral("'%1' holds %2; a %3 array file holds exactly %4 bytes. "
                                    "Nothing was loaded.")
                         .arg(path, held, arrayName(kind))
                         .arg(size);
        return load;
    }
    load.bytes = bytes;
    return load;
}

QString saveArrayFile(const QString& path, const QByteArray& bytes, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    if (bytes.size() != size)
        return QStringLiteral("A %1 array has %2 bytes, not %3; '%4' was not written.")
            .arg(arrayName(kind))
            .arg(size)
            .arg(bytes.size())
            .arg(path);
    if (QFileInfo(path).isDir())
        return QStringLiteral("'%1' is a folder; nothing was written.").arg(path);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("'%1' cannot be written: %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return QStringLiteral("Writing '%1' failed: %2. The old file is unchanged.").arg(path, why);
    }
    if (!file.commit())
        return QStringLiteral("Writing '%1' failed: %2. The old file is unchanged.")
            .arg(path, file.errorString());
    return {};
}
