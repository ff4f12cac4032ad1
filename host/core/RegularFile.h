// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The demo host reads and writes its files through the core's file layer,
// as the odu-switch tool and the translator kit do.
#include "core/RegularFile.h"
