# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Driver of the docs_links test (cmake -P): every link and picture of the
# front page, the pages of docs/ and the examples' READMEs that points into
# the tree names a file that is there, as a forge shows them.
file(GLOB pages ${SOURCE_DIR}/README.md ${SOURCE_DIR}/docs/*.md ${SOURCE_DIR}/examples/*/README.md)
set(broken "")
foreach(page IN LISTS pages)
    file(READ ${page} text)
    get_filename_component(dir ${page} DIRECTORY)
    string(REGEX MATCHALL "\\]\\([^)]+\\)" links "${text}")
    foreach(link IN LISTS links)
        string(REGEX REPLACE "^\\]\\(([^)#]*).*\\)$" "\\1" target "${link}")
        if(target STREQUAL "" OR target MATCHES "^[a-z]+:")
            continue() # an anchor in the page, or a web address
        endif()
        if(NOT EXISTS ${dir}/${target})
            file(RELATIVE_PATH where ${SOURCE_DIR} ${page})
            string(APPEND broken "\n  ${where}: ${target}")
        endif()
    endforeach()
endforeach()
list(LENGTH pages count)
if(count LESS 3)
    message(FATAL_ERROR "found only ${count} pages under ${SOURCE_DIR}")
endif()
if(broken)
    message(FATAL_ERROR "Links to files that are not in the tree:${broken}")
endif()
