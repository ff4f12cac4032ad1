# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the api_reference test (cmake -P): builds the docs target (every
# Doxygen warning fails it), checks that the host contract is the main page
# and the dialogs and the core's classes have pages, and registers the .qch
# in a help collection as Qt Assistant does, which refuses a broken file.
include(${CMAKE_CURRENT_LIST_DIR}/../support/RunStep.cmake)

run(${CMAKE_COMMAND} --build ${BUILD_DIR} --target docs)

file(READ ${HTML}/index.html index)
if(NOT index MATCHES "The host contract")
    message(FATAL_ERROR "The main page of ${HTML} is not the host contract (docs/host.md)")
endif()
foreach(page classTQos__form classTVlan__form classTIniFile classQosConfigArray classVlanConfigArray
             classResult Qos__form_8h Vlan__form_8h VlanCommit_8h)
    if(NOT EXISTS ${HTML}/${page}.html)
        message(FATAL_ERROR "The API reference has no page ${page}.html")
    endif()
endforeach()

if(QHELPGENERATOR)
    file(REMOVE_RECURSE ${WORK_DIR})
    file(MAKE_DIRECTORY ${WORK_DIR})
    file(WRITE ${WORK_DIR}/collection.qhcp
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<QHelpCollectionProject version=\"1.0\"><docFiles><register>\n"
        "<file>${QCH}</file>\n"
        "</register></docFiles></QHelpCollectionProject>\n")
    execute_process(COMMAND ${QHELPGENERATOR} ${WORK_DIR}/collection.qhcp -o ${WORK_DIR}/collection.qhc
        RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0 OR "${out}${err}" MATCHES "[Ee]rror|[Cc]annot" OR NOT EXISTS ${WORK_DIR}/collection.qhc)
        message(FATAL_ERROR "qhelpgenerator does not take ${QCH} (${rc}):\n${out}${err}")
    endif()
endif()
