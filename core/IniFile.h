#pragma once

#include "core/OduSwitchCoreExport.h"

#include <QHash>
#include <QString>

// The language catalogue a host hands to the dialogs: an INI file of
// [section] headings and key=value lines, parsed once when it is constructed.
//
// Reading rules: a missing or unreadable file is an empty catalogue; UTF-8
// with or without a byte order mark; a line splits at its first '='; keys and
// values lose surrounding blanks, and a value wrapped in one pair of double
// quotes loses them (so a translation may keep a leading blank); section and
// key names match regardless of letter case; ';' or '#' start a comment only
// at the start of a line, so a value is otherwise taken verbatim; no limit on
// line length; the first of duplicate keys wins; a key with an empty value
// reads as absent, so an untranslated entry never blanks a caption.
//
// The reader is our own: the common small INI parsers cut long lines and
// treat ';' inside a value as a comment, which would break translations.
class ODU_SWITCH_CORE_EXPORT TIniFile
{
public:
    TIniFile() = default;
    explicit TIniFile(const QString& fileName);
    virtual ~TIniFile();

    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    // The path the catalogue was created from; empty means no catalogue file.
    QString FileName() const { return m_fileName; }

    // The value stored under key in section, or def when there is none.
    // Virtual, so that a host can back the catalogue by a store of its own.
    virtual QString ReadString(const QString& section, const QString& key,
                               const QString& def) const;

    // Parses catalogue text (the same rules as a file); exposed for hosts and
    // tests that hold the text in memory.
    void parse(const QByteArray& content);

private:
    static QString entryKey(const QString& section, const QString& key);

    QString m_fileName;
    QHash<QString, QString> m_values; // "section\nkey", both lower-cased
};
