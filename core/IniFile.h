// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/CatalogueFile.h"
#include "core/OduSwitchCoreExport.h"

#include <QString>

/// \file
/// TIniFile, the language catalogue.

/// The language catalogue a host hands to the dialogs: an INI file of
/// [section] headings and key=value lines, parsed once when it is constructed.
///
/// The host owns the catalogue. A dialog keeps the pointer it was given and
/// looks texts up again long after construction (messages, the mode switch,
/// the reset and default buttons, the VID entry dialog), so the catalogue must
/// outlive every dialog constructed with it.
///
/// Reading rules: only a regular file of at most kCatalogueFileSizeLimit bytes
/// is read (fileStatus() says why another was not); a file that is not read is
/// an empty catalogue, so every text stays English, and the constructor never
/// raises or waits on a pipe or device. UTF-8 with or without a byte order
/// mark, or UTF-16 with one; lines end at CR, LF or CRLF; the line rules are
/// forEachCatalogueLine's (CatalogueFile.h): a line splits at its first '=';
/// keys and values lose surrounding blanks, and a value wrapped in one pair of
/// double quotes loses them (so a translation may keep a leading blank); ';' or
/// '#' start a comment only at the start of a line, so a value is otherwise
/// taken verbatim; no limit on line length. Section and key names match
/// regardless of letter case; the first of duplicate keys wins; a key with an
/// empty value reads as absent, so an untranslated entry never blanks a
/// caption.
///
/// Threads: the lookups change nothing, so once constructed (and not parsed
/// again) a catalogue may be read from several threads at once; parse() and
/// parseText() must not run beside any other use.
///
/// The reader is our own: the common small INI parsers cut long lines and
/// treat ';' inside a value as a comment, which would break translations.
class ODU_SWITCH_CORE_EXPORT TIniFile
{
public:
    /// An empty catalogue without a file: every lookup gives its English text.
    TIniFile() = default;
    /// Reads and parses the catalogue at \p fileName at once (see the reading
    /// rules above); never raises. A file that was not read leaves the
    /// catalogue empty, and fileStatus() says why.
    explicit TIniFile(const QString& fileName);
    /// Frees the parsed table.
    virtual ~TIniFile();

    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    /// The path the catalogue was created from; empty means no catalogue file.
    QString FileName() const { return m_fileName; }

    /// Whether the file was read, and if not, why (catalogueFileProblem()
    /// words it). NoFile for a catalogue made without a file name.
    CatalogueFileStatus fileStatus() const;

    /// The value stored under key in section, or def when there is none.
    /// Virtual, so that a host can back the catalogue by a store of its own.
    virtual QString ReadString(const QString& section, const QString& key,
                               const QString& def) const;

    /// Parses catalogue text (the same rules as a file) in place of what the
    /// catalogue held; exposed for hosts and tests that hold the text in memory.
    void parse(const QByteArray& content);
    /// parse() for text that is already decoded.
    void parseText(QString text);

private:
    /// The parsed catalogue lives behind one pointer, so that an object a host
    /// compiled against an earlier version of this header keeps its size and
    /// layout (the file name, then one pointer).
    struct Table;
    Table& table();

    QString m_fileName;
    Table* m_table = nullptr;
};
