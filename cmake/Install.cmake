# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Installation: the shared libraries (the window-free core and the dialogs),
# the headers a host or tool includes (with the
# headers generated from the dialog forms, which the dialog headers include),
# a CMake package with a component for each library (Core, Dialogs) and a
# pkg-config file for each.

set(ODU_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/odu-switch-dialogs)
set(ODU_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/OduSwitchDialogs)

# One export set a component: a host asking for Core alone loads neither the
# dialogs' targets nor Qt Widgets.
install(TARGETS odu-switch-core EXPORT OduSwitchDialogsCoreTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS odu-switch-dialogs EXPORT OduSwitchDialogsDialogsTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Each subdirectory lists its public headers in ODU_PUBLIC_HEADERS_<dir>.
foreach(dir core plugin ui qos vlan)
    get_property(headers DIRECTORY ${PROJECT_SOURCE_DIR}/${dir} PROPERTY ODU_PUBLIC_HEADERS)
    if(headers)
        install(FILES ${headers} DESTINATION ${ODU_INSTALL_INCLUDEDIR}/${dir})
    endif()
endforeach()
# The headers generated from the forms of the two dialogs, which their
# installed headers include (the VID entry dialog's form stays inside).
install(FILES ${ODU_FORMS_INCLUDE_DIR}/ui_Qos_form.h ${ODU_FORMS_INCLUDE_DIR}/ui_Vlan_form.h
    DESTINATION ${ODU_INSTALL_INCLUDEDIR})

foreach(component Core Dialogs)
    install(EXPORT OduSwitchDialogs${component}Targets
        NAMESPACE OduSwitchDialogs::
        DESTINATION ${ODU_CMAKEDIR})
endforeach()
# The build tree is a CMake package too (OduSwitchDialogs_DIR=<build folder>),
# which the examples are built against by the tests.
foreach(component Core Dialogs)
    export(EXPORT OduSwitchDialogs${component}Targets NAMESPACE OduSwitchDialogs::
        FILE ${PROJECT_BINARY_DIR}/OduSwitchDialogs${component}Targets.cmake)
endforeach()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/OduSwitchDialogsConfig.cmake.in
    ${PROJECT_BINARY_DIR}/OduSwitchDialogsConfig.cmake
    INSTALL_DESTINATION ${ODU_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/OduSwitchDialogsConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES
    ${PROJECT_BINARY_DIR}/OduSwitchDialogsConfig.cmake
    ${PROJECT_BINARY_DIR}/OduSwitchDialogsConfigVersion.cmake
    DESTINATION ${ODU_CMAKEDIR})

foreach(pc odu-switch-dialogs odu-switch-core)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${pc}.pc.in ${PROJECT_BINARY_DIR}/${pc}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endforeach()
