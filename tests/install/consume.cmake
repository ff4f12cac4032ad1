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

foreach(f lib/pkgconfig/odu-switch-dialogs.pc include/odu-switch-dialogs/qos/Qos_form.h
          include/odu-switch-dialogs/vlan/Vlan_form.h include/odu-switch-dialogs/plugin/IniFile.h)
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
