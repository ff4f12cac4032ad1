# Driver of the install_and_consume test (cmake -P).
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "Failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(f lib/pkgconfig/odu-switch-dialogs.pc lib/pkgconfig/odu-switch-core.pc
          include/odu-switch-dialogs/qos/Qos_form.h include/odu-switch-dialogs/vlan/Vlan_form.h
          include/odu-switch-dialogs/plugin/IniFile.h include/odu-switch-dialogs/core/IniFile.h
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
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)

# The layout of the arrays stays inside the core.
foreach(f core/BitField.h core/QosLayout.h core/VlanLayout.h)
    if(EXISTS ${prefix}/include/odu-switch-dialogs/${f})
        message(FATAL_ERROR "Installed, but private: ${f}")
    endif()
endforeach()

# A tool that links the core alone, and the installed odu-switch program.
run(${CMAKE_COMMAND} -S ${TOOL_CONSUMER_DIR} -B ${WORK_DIR}/tool-build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/tool-build)
run(${WORK_DIR}/tool-build/tool-consumer)
execute_process(COMMAND readelf -d ${WORK_DIR}/tool-build/tool-consumer OUTPUT_VARIABLE needed)
if(needed MATCHES "Qt6(Gui|Widgets)|odu-switch-dialogs")
    message(FATAL_ERROR "The tool-only consumer needs more than the core:\n${needed}")
endif()
run(${prefix}/bin/odu-switch default vlan -o ${WORK_DIR}/default.bin)
run(${prefix}/bin/odu-switch check ${WORK_DIR}/default.bin)
