// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// The export macro of the window-free core library: the array modules, the
/// static VLAN table, the Set checks, the field catalogue and the catalogue
/// reader. The library is built with hidden visibility, so whatever lacks this
/// macro stays inside it.
#include <QtCore/qglobal.h>

/// \def ODU_SWITCH_CORE_EXPORT
/// Marks what libodu-switch-core exports: exported while the library is built,
/// imported by everything that uses it.
#if defined(ODU_SWITCH_CORE_BUILDING)
#  define ODU_SWITCH_CORE_EXPORT Q_DECL_EXPORT
#else
#  define ODU_SWITCH_CORE_EXPORT Q_DECL_IMPORT
#endif
