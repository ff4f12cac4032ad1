# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the abi_baseline test and the abi-baseline target (cmake -P).
#
# Installs the libraries into a scratch prefix and compares each one with the
# committed description of its interface in abi/ (abidw's XML: every exported
# function and variable and every type they reach, whole: sizes, members and
# bases; Qt's and the standard library's own changes are suppressed, see
# abi/not-ours.suppr). The description names no file or folder of the machine
# it was made on. A library built without debugging information (a Release
# build) is compared by its symbols only. Any difference abidiff reports,
# other than added functions, fails: a change
# that breaks a host built against an earlier 1.x needs a new SONAME, and a
# change that is deliberately compatible needs a refreshed baseline with its
# reason in CHANGELOG.md. With -DUPDATE=ON the baseline is written instead.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
    RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Installing into ${prefix} failed")
endif()
set(suppressions ${BASELINE_DIR}/not-ours.suppr)

set(failed "")
foreach(lib odu-switch-core odu-switch-dialogs)
    file(GLOB so ${prefix}/lib/lib${lib}.so.1 ${prefix}/lib/*/lib${lib}.so.1)
    if(NOT so)
        message(FATAL_ERROR "lib${lib}.so.1 is not installed")
    endif()
    set(baseline ${BASELINE_DIR}/lib${lib}.abi)
    if(UPDATE)
        # Without source locations; the names of the compiled files are made
        # relative to the tree, so the baseline names no folder of this machine.
        execute_process(COMMAND abidw --no-corpus-path --no-comp-dir-path --no-show-locs
                --suppressions ${suppressions} --out-file ${baseline} ${so}
            RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "abidw failed on ${so} (${rc})")
        endif()
        file(READ ${baseline} xml)
        string(REPLACE "${BUILD_DIR}/" "" xml "${xml}")
        string(REPLACE "${SOURCE_DIR}/" "" xml "${xml}")
        file(WRITE ${baseline} "${xml}")
        message(STATUS "Wrote ${baseline}")
        continue()
    endif()
    execute_process(COMMAND abidiff --no-added-syms --suppressions ${suppressions} ${baseline} ${so}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        # abidiff's status is a bit set: 4 a change, 8 an incompatible one.
        set(kind "a changed interface")
        if(rc GREATER_EQUAL 8)
            set(kind "an incompatible change (a type's size, members or bases, or a removed symbol)")
        endif()
        string(APPEND failed "lib${lib}: ${kind} (abidiff status ${rc}):\n${out}${err}\n")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "The libraries' interface differs from the baseline in abi/:\n${failed}"
        "A change that breaks existing hosts raises the SONAME; a compatible one refreshes "
        "the baseline (cmake --build <dir> --target abi-baseline) and says why in CHANGELOG.md.")
endif()
