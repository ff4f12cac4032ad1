// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/IniFile.h"

/// \file
/// lookup(), the dialogs' one way into the catalogue.

/// The one catalogue lookup every dialog uses: the catalogue's text for key in
/// section, or the built-in English text. A host must pass a catalogue; a null
/// one still yields the English text rather than a crash. Runs on the
/// thread that uses the catalogue (TIniFile says which may).
/// \param langIni the host's catalogue, or null
/// \param section "QOS" or "VLAN"
/// \param key the text's key in the section
/// \param def the built-in English text
inline QString lookup(const TIniFile* langIni, const QString& section, const QString& key,
                      const QString& def)
{
    return langIni ? langIni->ReadString(section, key, def) : def;
}
