#include "core/IniFile.h"

#include <QFile>

TIniFile::TIniFile(const QString& fileName)
    : m_fileName(fileName)
{
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly))
        parse(file.readAll());
}

TIniFile::~TIniFile() = default;

QString TIniFile::entryKey(const QString& section, const QString& key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

void TIniFile::parse(const QByteArray& content)
{
    // QString::fromUtf8 keeps a byte order mark as U+FEFF; drop it.
    QString text = QString::fromUtf8(content);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QString section;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        start = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))
            || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            if (close > 0)
                section = trimmed.mid(1, close - 1).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        QString value = line.mid(eq + 1).trimmed();
        if (key.isEmpty())
            continue;
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"'))
            && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (value.isEmpty())
            continue;
        const QString k = entryKey(section, key);
        if (!m_values.contains(k))
            m_values.insert(k, value);
    }
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& def) const
{
    const auto it = m_values.constFind(entryKey(section, key));
    return it == m_values.constEnd() ? def : it.value();
}
