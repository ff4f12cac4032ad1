# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# odu_add_library_pair(<name> OBJECTS <object library> LINKS <targets...>
#                      INCLUDES <build-tree include folders...>)
#
# The two libraries made of one set of objects: the versioned shared library
# a host or a tool links (also as OduSwitchDialogs::<name>), whose headers
# install under include/odu-switch-dialogs, and <name>-internal, a static view
# of the same objects for the tests, fuzz targets and benchmark, which reach
# classes the shared library keeps hidden.
function(odu_add_library_pair name)
    cmake_parse_arguments(ARG "" "OBJECTS" "LINKS;INCLUDES" ${ARGN})
    add_library(${name} SHARED $<TARGET_OBJECTS:${ARG_OBJECTS}>)
    add_library(OduSwitchDialogs::${name} ALIAS ${name})
    set_target_properties(${name} PROPERTIES
        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    # Every symbol the library uses is resolved by a library it names, so a
    # host never needs to know what else to link. (The sanitizers' runtimes
    # are linked into programs only.)
    if(NOT ODU_SANITIZE AND NOT ODU_BUILD_FUZZ)
        target_link_options(${name} PRIVATE LINKER:--no-undefined)
    endif()
    # Only the project's own symbols are exported (cmake/exports.map).
    target_link_options(${name} PRIVATE LINKER:--version-script=${PROJECT_SOURCE_DIR}/cmake/exports.map)
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/exports.map)
    # A host may load the library as a plug-in and unload it again: GCC would
    # make the default-visible inline variables (ours and the standard
    # library's, such as std::in_place_index) STB_GNU_UNIQUE objects, and
    # the dynamic loader never unloads a library that defines one.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(${ARG_OBJECTS} PRIVATE -fno-gnu-unique)
    endif()
    foreach(dir IN LISTS ARG_INCLUDES)
        target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${dir}>)
    endforeach()
    target_include_directories(${name} PUBLIC
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/odu-switch-dialogs>)

    add_library(${name}-internal STATIC)
    target_link_libraries(${name}-internal PUBLIC ${ARG_OBJECTS})
endfunction()
