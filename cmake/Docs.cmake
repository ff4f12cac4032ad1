# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# The API reference, as KDE's ecm_add_qch makes one: Doxygen turns the
# installed headers and the pages of docs/ into HTML and a Qt help project,
# and qhelpgenerator turns that into a .qch that Qt Assistant and Qt Creator
# open. Target `docs`; every Doxygen warning fails it.
#
# Without Doxygen there is no target (a message says so). With
# ODU_BUILD_DOCS=ON the reference is built with everything else, and
# Doxygen and qhelpgenerator are required. The reference is installed when
# it was built: the HTML into ODU_INSTALL_HTMLDIR, the .qch into Qt's
# documentation folder, where Qt Creator and Assistant look for help files.

option(ODU_BUILD_DOCS "Build the API reference (HTML and .qch) with everything else" OFF)

if(ODU_BUILD_DOCS)
    find_package(Doxygen 1.9 REQUIRED)
else()
    find_package(Doxygen 1.9 QUIET)
endif()
if(NOT DOXYGEN_FOUND)
    message(STATUS "Doxygen not found: no `docs` target (the API reference)")
    return()
endif()

find_program(ODU_QHELPGENERATOR qhelpgenerator
    HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/libexec /usr/lib/qt6/bin
    DOC "Qt's help generator, which makes the .qch of the API reference")
if(NOT ODU_QHELPGENERATOR AND ODU_BUILD_DOCS)
    message(FATAL_ERROR "ODU_BUILD_DOCS needs qhelpgenerator (Debian: qt6-documentation-tools)")
endif()

set(ODU_INSTALL_HTMLDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/odu-switch-dialogs/html
    CACHE STRING "Where the HTML of the API reference is installed")
if(DEFINED QT6_INSTALL_DOCS)
    set(qt_docs ${QT6_INSTALL_DOCS})
else()
    set(qt_docs ${CMAKE_INSTALL_DATAROOTDIR}/qt6/doc)
endif()
set(ODU_INSTALL_QCHDIR ${qt_docs} CACHE STRING "Where the .qch of the API reference is installed")

# The installed headers that are ours (the one-line headers at the earlier
# paths and the headers generated from the forms are not), and the pages.
set(inputs "")
foreach(dir core plugin ui qos vlan)
    get_property(headers DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} PROPERTY ODU_PUBLIC_HEADERS)
    list(APPEND inputs ${headers})
endforeach()
# The host contract is the main page; the other pages of docs/, the
# changelog and the examples' READMEs are pages of the reference too, so that
# every link between them leads to a page of the reference. (README.md, the
# forge's front page, links files that are no pages.)
set(ODU_DOCS_MAINPAGE ${PROJECT_SOURCE_DIR}/docs/host.md)
file(GLOB pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
file(GLOB example_pages CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*/README.md)
list(APPEND inputs ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${example_pages})
list(APPEND inputs ${pages})
file(GLOB images CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/images/*.png)
list(JOIN inputs " \\\n    " ODU_DOCS_INPUT)

set(ODU_DOCS_OUTPUT ${PROJECT_BINARY_DIR}/docs)
set(html ${ODU_DOCS_OUTPUT}/html)
set(qch ${ODU_DOCS_OUTPUT}/odu-switch-dialogs.qch)
set(ODU_DOCS_QHP NO)
if(ODU_QHELPGENERATOR)
    set(ODU_DOCS_QHP YES)
endif()
# No date in the pages, so that two builds give the same files (the tag's
# name changed in Doxygen 1.9.8, and an obsolete tag is a warning).
set(ODU_DOCS_TIMESTAMP_TAG HTML_TIMESTAMP)
if(DOXYGEN_VERSION VERSION_GREATER_EQUAL 1.9.8)
    set(ODU_DOCS_TIMESTAMP_TAG TIMESTAMP)
endif()
# Warnings fail the build with the Doxygen the comments are kept clean for
# (Debian 12's, which CI runs); a later Doxygen checks more and words its
# checks anew, so there they are printed but do not stop the build.
set(ODU_DOCS_WARN_AS_ERROR FAIL_ON_WARNINGS)
if(DOXYGEN_VERSION VERSION_GREATER 1.9.4)
    set(ODU_DOCS_WARN_AS_ERROR NO)
endif()
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${ODU_DOCS_OUTPUT}/Doxyfile @ONLY)

# The folder is made anew each time, so no page of a removed class stays.
set(commands
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${html}
    COMMAND Doxygen::doxygen ${ODU_DOCS_OUTPUT}/Doxyfile)
set(outputs ${html}/index.html)
if(ODU_QHELPGENERATOR)
    # -c: every link of the pages leads to a file of the help project.
    list(APPEND commands
        COMMAND ${ODU_QHELPGENERATOR} -c -s ${html}/index.qhp -o ${qch}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${html}/index.qhp)
    list(APPEND outputs ${qch})
endif()
add_custom_command(OUTPUT ${outputs}
    ${commands}
    DEPENDS ${inputs} ${images} ${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${ODU_DOCS_OUTPUT}/Doxyfile
    WORKING_DIRECTORY ${ODU_DOCS_OUTPUT}
    COMMENT "Writing the API reference (Doxygen, qhelpgenerator)"
    VERBATIM)
if(ODU_BUILD_DOCS)
    add_custom_target(docs ALL DEPENDS ${outputs})
else()
    add_custom_target(docs DEPENDS ${outputs})
endif()

# Installed when built (OPTIONAL: a build without the reference installs
# everything else).
install(DIRECTORY ${html}/ DESTINATION ${ODU_INSTALL_HTMLDIR} COMPONENT docs OPTIONAL)
if(ODU_QHELPGENERATOR)
    install(FILES ${qch} DESTINATION ${ODU_INSTALL_QCHDIR} COMPONENT docs OPTIONAL)
endif()
