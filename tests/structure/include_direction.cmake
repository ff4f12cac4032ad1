# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Every include points down the layers of the tree: a folder includes its
# own headers and those of lower folders, never those of a higher folder or
# of another folder on its own level (except the pairs named below, each
# with its reason).
#
#   cmake -DROOT=<source tree> -P include_direction.cmake
#
# Reads every .h and .cpp file of the folders in the table (and fails on a
# folder with sources that the table lacks), every #include "..." and
# #include <...> that names a folder of the table, and the headers that Qt
# generates from a form (ui_<name>.h belongs to the folder of <name>.ui).

cmake_minimum_required(VERSION 3.25)

# The layers, lowest first: one line per level, folders of a level apart by
# blanks.
set(levels
    "core"
    "plugin toolsupport"
    "ui"
    "qos vlan"
    "host cli translator-kit"
    "testing"
    "bench examples fuzz tests")

# Includes between two folders of one level, as "from>to|why".
set(sideways
    "host>translator-kit|the demo's screenshots frame the caption defects that the kit's defect finder reports: one finder, which the dialogs library does not carry")

if(NOT ROOT)
    message(FATAL_ERROR "ROOT is not set")
endif()

set(rank 0)
set(folders)
foreach(level IN LISTS levels)
    string(REPLACE " " ";" names "${level}")
    foreach(name IN LISTS names)
        set(rank_${name} ${rank})
        list(APPEND folders ${name})
    endforeach()
    math(EXPR rank "${rank} + 1")
endforeach()

set(allowed)
foreach(entry IN LISTS sideways)
    string(REGEX MATCH "^([^|]+)\\|(.+)$" matched "${entry}")
    if(NOT matched OR CMAKE_MATCH_2 STREQUAL "")
        message(FATAL_ERROR "A sideways include needs its reason: ${entry}")
    endif()
    list(APPEND allowed "${CMAKE_MATCH_1}")
endforeach()

# Every top-level folder that holds sources is in the table (a build folder,
# which has a CMakeCache.txt, is not sources).
file(GLOB children LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(faults "")
foreach(child IN LISTS children)
    if(NOT IS_DIRECTORY ${ROOT}/${child} OR child MATCHES "^\\." OR EXISTS ${ROOT}/${child}/CMakeCache.txt)
        continue()
    endif()
    file(GLOB_RECURSE sources ${ROOT}/${child}/*.h ${ROOT}/${child}/*.cpp)
    if(sources AND NOT child IN_LIST folders)
        string(APPEND faults "${child}/ holds sources but has no place in the table of layers\n")
    endif()
endforeach()

# The folder of each form, for the headers generated from it.
file(GLOB_RECURSE forms RELATIVE ${ROOT} ${ROOT}/*.ui)
foreach(form IN LISTS forms)
    string(REGEX MATCH "^([^/]+)/(.*/)?([^/]+)\\.ui$" matched "${form}")
    if(matched)
        set(form_${CMAKE_MATCH_3} ${CMAKE_MATCH_1})
    endif()
endforeach()

set(count 0)
foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
        foreach(line IN LISTS includes)
            string(REGEX MATCH "[<\"]([^>\"]+)[>\"]" matched "${line}")
            set(path "${CMAKE_MATCH_1}")
            set(target "")
            if(path MATCHES "^([^/]+)/" AND CMAKE_MATCH_1 IN_LIST folders)
                set(target ${CMAKE_MATCH_1})
            elseif(path MATCHES "^ui_(.+)\\.h$" AND DEFINED form_${CMAKE_MATCH_1})
                set(target ${form_${CMAKE_MATCH_1}})
            endif()
            if(target STREQUAL "" OR target STREQUAL folder)
                continue()
            endif()
            math(EXPR count "${count} + 1")
            if(rank_${target} LESS rank_${folder})
                continue()
            endif()
            if(rank_${target} EQUAL rank_${folder} AND "${folder}>${target}" IN_LIST allowed)
                continue()
            endif()
            if(rank_${target} EQUAL rank_${folder})
                set(how "sideways")
            else()
                set(how "up")
            endif()
            string(APPEND faults "${source}: #include \"${path}\" points ${how}, from ${folder}/ to ${target}/\n")
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN levels " < " order)
    message("${faults}")
    message(FATAL_ERROR "Faults against the layers (${order}) above")
endif()
message(STATUS "${count} includes between folders, all pointing down")
