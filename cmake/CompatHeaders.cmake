# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Headers that moved into core/ keep their earlier include paths: a one-line
# header at the old path includes the new one. Hosts written against the
# earlier installed headers build unchanged.
set(ODU_COMPAT_INCLUDE_DIR ${PROJECT_BINARY_DIR}/compat-include)
set(ODU_COMPAT_HEADERS
    plugin/IniFile.h plugin/Lookup.h
    qos/QosConfig.h
    vlan/VlanConfig.h vlan/StaticVlanTable.h vlan/VlanCommit.h
    ui/IntegerText.h)
foreach(old IN LISTS ODU_COMPAT_HEADERS)
    get_filename_component(name ${old} NAME)
    file(CONFIGURE OUTPUT ${ODU_COMPAT_INCLUDE_DIR}/${old}
         CONTENT "#pragma once\n// Moved; kept at this path for existing includes.\n#include \"core/${name}\"\n")
endforeach()
