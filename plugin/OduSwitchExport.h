// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// One export macro for everything a host reaches: the dialog classes, the
/// catalogue class and the instance pointers. The library is built with
/// hidden visibility, so whatever lacks this macro stays inside it.
#include <QtCore/qglobal.h>

/// \def ODU_SWITCH_EXPORT
/// Marks what libodu-switch-dialogs exports: exported while the library is built,
/// imported by everything that uses it.
#if defined(ODU_SWITCH_DIALOGS_BUILDING)
#  define ODU_SWITCH_EXPORT Q_DECL_EXPORT
#else
#  define ODU_SWITCH_EXPORT Q_DECL_IMPORT
#endif
