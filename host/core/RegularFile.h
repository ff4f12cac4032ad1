#pragma once

// The demo host reads and writes its files through the core's file layer,
// as the odu-switch tool and the translator kit do.
#include "core/RegularFile.h"
