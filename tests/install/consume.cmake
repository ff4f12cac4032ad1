# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the install_and_consume test (cmake -P).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

include(${CMAKE_CURRENT_LIST_DIR}/../support/RunStep.cmake)

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The installed surface is the API: every installed header and every symbol
# the two libraries export is one that the lists in this folder name, and
# every one they name is there. A header or symbol that a change adds or
# drops is a decision about the API: update the list with it.
# Compares the lines of <actual_file> with those of <list_file> (comment and blank
# lines left out), both sorted; any difference fails with diff's account.
function(compare_with_list what actual_file list_file)
    execute_process(
        COMMAND sh -c "grep -v -e '^#' -e '^$' \"$1\" | LC_ALL=C sort | diff -u - \"$2\"" sh
            ${list_file} ${actual_file}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} differ from ${list_file} "
            "(+ not in the list, - listed but missing):\n${out}")
    endif()
endfunction()
set(include_root ${prefix}/include/odu-switch-dialogs)
execute_process(COMMAND sh -c "find . -type f | sed 's|^./||' | LC_ALL=C sort"
    WORKING_DIRECTORY ${include_root} OUTPUT_FILE ${WORK_DIR}/installed-headers.txt)
compare_with_list("The installed headers" ${WORK_DIR}/installed-headers.txt
    ${SURFACE_DIR}/installed-headers.txt)
# Each installed header is whole with the installed ones: the host below
# compiles one file that includes every one of them.
file(STRINGS ${WORK_DIR}/installed-headers.txt headers)
set(all_headers "")
foreach(header IN LISTS headers)
    string(APPEND all_headers "#include <${header}>\n")
endforeach()
file(WRITE ${WORK_DIR}/all-headers.cpp "${all_headers}")
# Left out: the symbols the linker and the sanitizers define (the undefined
# behaviour checks add Qt classes' type information), and the copies of Qt's
# inline functions and of standard templates that
# an unoptimised build emits (they come and go with the optimisation level and
# are not ours).
foreach(lib odu-switch-core odu-switch-dialogs)
    file(GLOB so ${prefix}/lib/lib${lib}.so.1 ${prefix}/lib/*/lib${lib}.so.1)
    execute_process(
        COMMAND sh -c "nm --dynamic --defined-only --demangle --format=just-symbols \"$1\" | grep -Ev \"$2\" | LC_ALL=C sort" sh
            ${so} "^(Q[A-Z]|std::|__gnu_cxx::|__odr_asan|__asan|__ubsan)|^typeinfo (name )?for Q[A-Z]|^(_edata|_end|__bss_start)$"
        RESULT_VARIABLE rc OUTPUT_FILE ${WORK_DIR}/exported-${lib}.txt)
    if(NOT rc EQUAL 0 OR NOT so)
        message(FATAL_ERROR "nm failed on lib${lib}.so.1")
    endif()
    compare_with_list("The symbols that lib${lib} exports" ${WORK_DIR}/exported-${lib}.txt
        ${SURFACE_DIR}/exported-symbols-${lib}.txt)
endforeach()

foreach(f lib/pkgconfig/odu-switch-dialogs.pc lib/pkgconfig/odu-switch-core.pc
          include/odu-switch-dialogs/qos/Qos_form.h include/odu-switch-dialogs/vlan/Vlan_form.h
          include/odu-switch-dialogs/core/IniFile.h
          include/odu-switch-dialogs/core/ArrayCheck.h bin/odu-switch share/man/man1/odu-switch.1)
    if(NOT EXISTS ${prefix}/${f})
        message(FATAL_ERROR "Not installed: ${f}")
    endif()
endforeach()

set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()
run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${flags}"
    -DALL_HEADERS_SOURCE=${WORK_DIR}/all-headers.cpp)
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

# The layout of the arrays stays inside the core.
foreach(f core/BitField.h core/QosLayout.h core/VlanLayout.h)
    if(EXISTS ${prefix}/include/odu-switch-dialogs/${f})
        message(FATAL_ERROR "Installed, but private: ${f}")
    endif()
endforeach()

# A tool that links the core alone (find_package's component Core, on a
# system where Qt Widgets and Qt Gui cannot be found), and the installed
# odu-switch program.
run(${CMAKE_COMMAND} -S ${TOOL_CONSUMER_DIR} -B ${WORK_DIR}/tool-build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${flags}"
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Widgets=ON -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Gui=ON)
# A component the package does not have is refused by name.
execute_process(COMMAND ${CMAKE_COMMAND} -S ${TOOL_CONSUMER_DIR} -B ${WORK_DIR}/tool-build-unknown
        -G ${GENERATOR} -DCMAKE_PREFIX_PATH=${prefix} -DODU_COMPONENTS=Core\;Widgets
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT "${out}${err}" MATCHES "Widgets")
    message(FATAL_ERROR "find_package(OduSwitchDialogs COMPONENTS Core Widgets) did not fail naming Widgets:\n${out}\n${err}")
endif()
run(${CMAKE_COMMAND} --build ${WORK_DIR}/tool-build)
run(${WORK_DIR}/tool-build/tool-consumer)
execute_process(COMMAND readelf -d ${WORK_DIR}/tool-build/tool-consumer OUTPUT_VARIABLE dynamic)
# Only the libraries it needs count (its run path may name any folder).
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(needed MATCHES "Qt6(Gui|Widgets)|libodu-switch-dialogs")
    message(FATAL_ERROR "The tool-only consumer needs more than the core:\n${needed}")
endif()
run(${prefix}/bin/odu-switch default vlan -o ${WORK_DIR}/default.bin)
run(${prefix}/bin/odu-switch check ${WORK_DIR}/default.bin)
