# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# cmake -DREADELF=... -DBINARY=... -P needs_no_gui.cmake
execute_process(COMMAND ${READELF} -d ${BINARY} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "readelf failed on ${BINARY}")
endif()
if(NOT dynamic MATCHES "libQt6Core")
    message(FATAL_ERROR "${BINARY} does not need QtCore; is this the right file?\n${dynamic}")
endif()
if(dynamic MATCHES "libQt6(Gui|Widgets)")
    message(FATAL_ERROR "${BINARY} needs a GUI module:\n${dynamic}")
endif()
