// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/IniFile.h"

// The one catalogue lookup every dialog uses: the catalogue's text for key in
// section, or the built-in English text. A host must pass a catalogue; a null
// one still yields the English text rather than a crash.
inline QString lookup(const TIniFile* langIni, const QString& section, const QString& key,
                      const QString& def)
{
    return langIni ? langIni->ReadString(section, key, def) : def;
}
