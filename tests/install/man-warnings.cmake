# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Formats a manual page as man does for a reader, with every groff warning
# on; any warning fails (cmake -P, PAGE=<file>).
execute_process(COMMAND man --warnings -l ${PAGE}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "" OR out STREQUAL "")
    message(FATAL_ERROR "man --warnings -l ${PAGE} (${rc}):\n${err}")
endif()
