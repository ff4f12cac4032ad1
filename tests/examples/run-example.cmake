# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the example_* tests (cmake -P): configures EXAMPLE_DIR against the
# CMake package in PACKAGE_DIR, builds it and runs its program once per step
# of STEPS ("<arguments, comma-separated>|<exit code>|<regex>"; @ is a file of
# 82 bytes of 0xFF, a never-configured VLAN array, made before the first step
# and kept from step to step).
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/../support/RunStep.cmake)

set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()
run(${CMAKE_COMMAND} -S ${EXAMPLE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DOduSwitchDialogs_DIR=${PACKAGE_DIR} "-DCMAKE_CXX_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)

get_filename_component(name ${EXAMPLE_DIR} NAME)
set(program ${WORK_DIR}/build/${name})
set(scratch ${WORK_DIR}/array.bin)
string(ASCII 255 ff)
string(REPEAT "${ff}" 82 blank)
file(WRITE ${scratch} "${blank}")

foreach(step IN LISTS STEPS)
    string(REPLACE "|" ";" parts "${step}")
    list(GET parts 0 arguments)
    list(GET parts 1 expected_rc)
    list(GET parts 2 expected)
    string(REPLACE "," ";" arguments "${arguments}")
    string(REPLACE "@" "${scratch}" arguments "${arguments}")
    execute_process(COMMAND ${program} ${arguments}
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
    if(NOT rc STREQUAL expected_rc OR NOT "${out}${err}" MATCHES "${expected}")
        message(FATAL_ERROR "${name} ${arguments}: exit ${rc} (expected ${expected_rc}), "
            "output not matching '${expected}':\n${out}${err}")
    endif()
    message(STATUS "${name} ${arguments}: as expected")
endforeach()
