// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/Result.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>

/// \file
/// Reading a language catalogue from disk and walking its lines. A catalogue
/// is named by a host or a translator, so the path may lead anywhere: to a
/// device that never ends, a pipe that never delivers, a directory. Only a
/// regular file of at most kCatalogueFileSizeLimit bytes is read, and nothing
/// here waits on anything but the disk.

/// What became of a catalogue file.
enum class CatalogueFileStatus {
    Read,       ///< a regular file, read whole
    NoFile,     ///< the path is empty: no catalogue was given
    Missing,    ///< nothing exists at the path (or a folder on the way is missing)
    NotRegular, ///< a folder, device, pipe or socket: never read
    TooLarge,   ///< larger than kCatalogueFileSizeLimit: not read
    Unreadable, ///< exists but cannot be opened or read (permissions, I/O error)
};

/// Far above any real catalogue (the complete English one is a few kB), low
/// enough that a wrong file cannot take the host's memory.
inline constexpr qint64 kCatalogueFileSizeLimit = 4 * 1024 * 1024;

/// Why a catalogue was not read.
struct CatalogueProblem
{
    CatalogueFileStatus status = CatalogueFileStatus::NoFile; ///< never Read
    QString message; ///< catalogueFileProblem's words
};

/// A catalogue's decoded text, or why it was not read.
using CatalogueFile = Result<QString, CatalogueProblem>;

/// Reads the catalogue at path. Never blocks on a pipe or device: the file is
/// opened without waiting and checked to be a regular file before a byte is
/// read.
ODU_SWITCH_CORE_EXPORT CatalogueFile readCatalogueFile(const QString& path);

/// Catalogue bytes as text: UTF-8 with or without a byte order mark, or
/// UTF-16 little- or big-endian with one (what Windows editors save as
/// "Unicode"). The byte order mark is not part of the text.
ODU_SWITCH_CORE_EXPORT QString decodeCatalogueText(QByteArrayView bytes);

/// Why a catalogue file was not read, in plain English for a person; empty
/// when status is Read.
ODU_SWITCH_CORE_EXPORT QString catalogueFileProblem(CatalogueFileStatus status, const QString& path);

/// One key=value line. The views point into the text that was walked; section
/// is the name of the nearest [section] heading above the line (a null view
/// before the first heading).
struct CatalogueLine
{
    QStringView section; ///< the heading above the line, without brackets and blanks
    QStringView key;     ///< before the first '=', without surrounding blanks
    QStringView value;   ///< after it, without surrounding blanks and one pair of quotes
    int lineNumber; ///< from 1; CR, LF and CRLF each end one line
};

/// Calls visit for every key=value line in file order, duplicates and empty
/// values included. The line rules, which TIniFile's lookups follow:
/// - a line ends at CR, LF or CRLF;
/// - blank lines and lines starting with ';' or '#' (after blanks) are skipped;
/// - a line starting with '[' is a heading when a ']' follows; the section
///   name is what lies between, without surrounding blanks;
/// - any other line splits at its first '='; a line without one, or with
///   nothing but blanks before it, is skipped;
/// - key and value lose surrounding blanks, and a value wrapped in one pair of
///   double quotes loses them (so a value may keep a leading blank).
ODU_SWITCH_CORE_EXPORT void forEachCatalogueLine(QStringView text,
                                            const std::function<void(const CatalogueLine&)>& visit);
