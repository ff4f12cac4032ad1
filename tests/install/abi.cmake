# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the abi_baseline test and the abi-baseline target (cmake -P).
#
# Installs the libraries into a scratch prefix and compares each one with the
# committed description of its interface in abi/ (abidw's XML: the types and
# functions that the installed headers declare, private types dropped). Any
# difference abidiff reports, other than added functions, fails: a change
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
# The public types are those that the installed headers define. The debugging
# information names the files the library was compiled from, so each
# installed header is given by its source: in the tree or among the generated
# form headers.
set(include_root ${prefix}/include/odu-switch-dialogs)
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${include_root} ${include_root}/*)
set(header_args "")
foreach(h IN LISTS installed)
    set(found "")
    foreach(dir ${SOURCE_DIR} ${BUILD_DIR}/forms)
        if(NOT found AND EXISTS ${dir}/${h})
            set(found ${dir}/${h})
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "No source found for the installed header ${h}")
    endif()
    list(APPEND header_args --hf ${found})
endforeach()
set(suppressions ${BASELINE_DIR}/not-ours.suppr)

string(REPLACE "--hf;" "--hf2;" header_args2 "${header_args}")
set(failed "")
foreach(lib odu-switch-core odu-switch-dialogs)
    file(GLOB so ${prefix}/lib/lib${lib}.so.1 ${prefix}/lib/*/lib${lib}.so.1)
    if(NOT so)
        message(FATAL_ERROR "lib${lib}.so.1 is not installed")
    endif()
    set(baseline ${BASELINE_DIR}/lib${lib}.abi)
    if(UPDATE)
        execute_process(COMMAND abidw --no-corpus-path --no-comp-dir-path
                --drop-private-types ${header_args} --suppressions ${suppressions}
                --out-file ${baseline} ${so}
            RESULT_VARIABLE rc)
        if(NOT rc EQUAL 0)
            message(FATAL_ERROR "abidw failed on ${so} (${rc})")
        endif()
        message(STATUS "Wrote ${baseline}")
        continue()
    endif()
    execute_process(COMMAND abidiff --no-added-syms --drop-private-types
            ${header_args2} --suppressions ${suppressions} ${baseline} ${so}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        string(APPEND failed "lib${lib}: abidiff says ${rc}\n${out}${err}\n")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "The libraries' interface differs from the baseline in abi/:\n${failed}"
        "A change that breaks existing hosts raises the SONAME; a compatible one refreshes "
        "the baseline (cmake --build <dir> --target abi-baseline) and says why in CHANGELOG.md.")
endif()
