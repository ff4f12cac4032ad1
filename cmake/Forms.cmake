# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# odu_compile_forms(<target> <output folder>)
#
# Writes the header of each form (.ui) among the target's sources into
# <output folder>, each with a build step of its own, and has the target's
# moc run wait for them. (AUTOUIC writes them in the same step as moc, in
# parallel: moc follows a dialog header's include of its form header when the
# file is already there, and adds what the form's Qt headers ask it to
# include to its output. So two builds of one tree could give libraries that
# differ in their debugging information.)
function(odu_compile_forms target out_dir)
    get_target_property(sources ${target} SOURCES)
    file(MAKE_DIRECTORY ${out_dir})
    set(headers "")
    foreach(source IN LISTS sources)
        if(NOT source MATCHES "\\.ui$")
            continue()
        endif()
        get_filename_component(form ${source} ABSOLUTE)
        get_filename_component(name ${source} NAME_WE)
        set(header ${out_dir}/ui_${name}.h)
        add_custom_command(OUTPUT ${header}
            COMMAND Qt6::uic -o ${header} ${form}
            DEPENDS ${form} Qt6::uic
            COMMENT "Generating ui_${name}.h"
            VERBATIM)
        list(APPEND headers ${header})
    endforeach()
    set_source_files_properties(${headers} PROPERTIES
        GENERATED ON SKIP_AUTOMOC ON SKIP_AUTOUIC ON SKIP_PRECOMPILE_HEADERS ON)
    target_sources(${target} PRIVATE ${headers})
    set_target_properties(${target} PROPERTIES AUTOUIC OFF)
    set_property(TARGET ${target} APPEND PROPERTY AUTOGEN_TARGET_DEPENDS ${headers})
endfunction()
