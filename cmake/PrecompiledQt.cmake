# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Precompiled Qt headers.
#
# Reading the Qt Widgets headers is most of what compiling one of our files
# costs (a test file spends two thirds of its time in them), so the targets
# that use widgets share precompiled headers instead of each file parsing Qt
# again:
#
#   odu_precompile_qt(<target> [NO_ASCII_CASTS])
#
# The header holds the whole of Qt Widgets (with Qt Gui and Qt Core) and a few
# standard headers. NO_ASCII_CASTS for targets compiled with
# QT_NO_CAST_FROM_ASCII and QT_NO_CAST_TO_ASCII, which change what the Qt
# string headers declare.
#
# GCC uses a precompiled header only if every macro defined when it was made
# is defined the same way where it is used. So each header is made by a target
# of its own (odu_pch_QtWidgets...) that defines nothing beyond what the Qt
# headers look at, and the targets reuse it: their own macros (the tests'
# folders, our export macros) never appear in the Qt headers, so they do not
# get in the way. Qt Test stays out: its headers read the tests' folders.
#
# In a fuzz tree the library objects carry instrumentation that the other
# targets lack, and clang refuses a precompiled header made with other
# sanitizers; there every target precompiles its own.

# ccache does not cache files compiled with a precompiled header (unless told
# to be sloppy about it), and a warm cache is worth more than the header: with
# a compiler launcher the headers are not precompiled by default.
if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(ODU_PRECOMPILE_HEADERS_DEFAULT OFF)
else()
    set(ODU_PRECOMPILE_HEADERS_DEFAULT ON)
endif()
option(ODU_PRECOMPILE_HEADERS "Precompile the Qt headers" ${ODU_PRECOMPILE_HEADERS_DEFAULT})

set(ODU_PCH_HEADERS
    <QtWidgets/QtWidgets>
    <algorithm> <array> <cstdint> <functional> <memory> <optional> <vector>)

function(odu_precompile_qt target)
    cmake_parse_arguments(ARG "NO_ASCII_CASTS" "" "" ${ARGN})
    if(NOT ODU_PRECOMPILE_HEADERS)
        return()
    endif()
    if(ODU_BUILD_FUZZ)
        target_precompile_headers(${target} PRIVATE ${ODU_PCH_HEADERS})
        return()
    endif()

    set(maker odu_pch_QtWidgets)
    if(ARG_NO_ASCII_CASTS)
        string(APPEND maker _no_ascii_casts)
    endif()
    if(NOT TARGET ${maker})
        # The header is what this target makes; its one source is empty.
        set(source ${PROJECT_BINARY_DIR}/${maker}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "// Makes the precompiled header of ${maker}.\n")
        add_library(${maker} OBJECT ${source})
        set_target_properties(${maker} PROPERTIES POSITION_INDEPENDENT_CODE ON)
        target_link_libraries(${maker} PRIVATE Qt6::Widgets)
        if(ARG_NO_ASCII_CASTS)
            target_compile_definitions(${maker} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
        endif()
        target_precompile_headers(${maker} PRIVATE ${ODU_PCH_HEADERS})
    endif()
    target_precompile_headers(${target} REUSE_FROM ${maker})
    # GCC also refuses a header made as position-independent code (as the
    # shared library needs) in a file compiled otherwise. Qt 6.4 asks every
    # user for -fPIC; Qt 6.8 does not, and then the executables and static
    # libraries would be compiled without the header (slowly, with a warning
    # each). So every user compiles position-independent code, as with Qt 6.4.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fPIC>)
    endif()
endfunction()

# odu_links_qt_widgets(<target> <result>)
# Sets <result> to TRUE if <target> has C++ sources and links Qt Widgets,
# directly or through the targets it links.
function(odu_links_qt_widgets target result)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.(cpp|cc|cxx)$")
    set(found FALSE)
    if(sources)
        set(pending ${target})
        set(seen "")
        while(pending AND NOT found)
            list(POP_FRONT pending item)
            if(item IN_LIST seen OR NOT TARGET ${item})
                continue()
            endif()
            list(APPEND seen ${item})
            get_target_property(aliased ${item} ALIASED_TARGET)
            if(aliased)
                list(APPEND pending ${aliased})
                continue()
            endif()
            if(item STREQUAL "Qt6::Widgets")
                set(found TRUE)
                break()
            endif()
            set(links "")
            get_target_property(item_type ${item} TYPE)
            if(NOT item_type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(direct ${item} LINK_LIBRARIES)
                if(direct)
                    list(APPEND links ${direct})
                endif()
            endif()
            get_target_property(usage ${item} INTERFACE_LINK_LIBRARIES)
            if(usage)
                list(APPEND links ${usage})
            endif()
            foreach(link IN LISTS links)
                # $<LINK_ONLY:x> and the like: the name inside is what counts.
                string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" link "${link}")
                list(APPEND pending ${link})
            endforeach()
        endwhile()
    endif()
    set(${result} ${found} PARENT_SCOPE)
endfunction()

# odu_precompile_qt_below(<dir> [NO_ASCII_CASTS])
# The same for every target compiled in <dir> and the folders below it (the
# test suites, whoever adds them). A test includes its moc output in its own
# source, which leaves the target's collected moc file empty: that one is
# compiled without the header, whose loading alone takes a second.
function(odu_precompile_qt_below dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        # Only what compiles against Qt Widgets can take the header: a C
        # module (the fault shim) or a program that links no Qt (the unload
        # test) cannot even find it.
        set(uses_widgets FALSE)
        if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
            odu_links_qt_widgets(${target} uses_widgets)
        endif()
        if(uses_widgets)
            odu_precompile_qt(${target} ${ARGN})
            get_target_property(automoc ${target} AUTOMOC)
            if(automoc AND type STREQUAL "EXECUTABLE")
                get_target_property(binary_dir ${target} BINARY_DIR)
                set_source_files_properties(${binary_dir}/${target}_autogen/mocs_compilation.cpp
                    TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
            endif()
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        odu_precompile_qt_below(${subdir} ${ARGN})
    endforeach()
endfunction()
