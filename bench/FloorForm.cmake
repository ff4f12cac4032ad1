# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# A dialog's form as Qt alone builds it, for the benchmark's floor:
#   cmake -DIN=Qos_form.ui -DOUT=FloorQos_form.ui -DFORM=TQos_form -P FloorForm.cmake
# The form keeps every widget, layout, property and text; only our two widget
# classes become the Qt classes they extend, with what they add written in
# Qt's own terms:
# - a string grid becomes a QTableWidget without header views, whose
#   sections have the grid's default sizes (its fixed rows and columns,
#   cell editing and resizing, which only our code acts on, are dropped);
# - a radio group becomes a QGroupBox holding its items as QRadioButtons in a
#   grid of the group's columns, filled column by column, the first checked.
# The form's class becomes Floor<FORM>, so that its Ui class is not the
# dialog's.
cmake_minimum_required(VERSION 3.25)
file(READ "${IN}" ui)
# CMake lists split at semicolons: the entities' are kept out of the way.
string(REPLACE ";" "@SEMICOLON@" ui "${ui}")

string(REPLACE "<class>${FORM}</class>" "<class>Floor${FORM}</class>" ui "${ui}")
string(REPLACE "name=\"${FORM}\"" "name=\"Floor${FORM}\"" ui "${ui}")
string(REGEX REPLACE "<customwidgets>.*</customwidgets>" "" ui "${ui}")

# String grids.
set(ws "[ \t\r\n]*")
string(REPLACE "<widget class=\"StringGrid\"" "<widget class=\"QTableWidget\"" ui "${ui}")
string(REGEX REPLACE
    "<property name=\"defaultColumnWidth\">${ws}<number>([0-9]+)</number>${ws}</property>"
    "<attribute name=\"horizontalHeaderDefaultSectionSize\"><number>\\1</number></attribute>" ui "${ui}")
string(REGEX REPLACE
    "<property name=\"defaultRowHeight\">${ws}<number>([0-9]+)</number>${ws}</property>"
    "<attribute name=\"verticalHeaderDefaultSectionSize\"><number>\\1</number></attribute>" ui "${ui}")
string(REGEX REPLACE
    "<property name=\"(fixedRows|fixedCols|cellEditing|columnResizing|hotTrackFixed)\">${ws}<(number|bool)>[^<]*</(number|bool)>${ws}</property>"
    "" ui "${ui}")
string(REGEX REPLACE "(<widget class=\"QTableWidget\" name=\"[A-Za-z0-9_]+\">)"
    "\\1<attribute name=\"horizontalHeaderVisible\"><bool>false</bool></attribute><attribute name=\"verticalHeaderVisible\"><bool>false</bool></attribute>"
    ui "${ui}")

# Radio groups: one at a time, its columns and items into a layout of buttons.
string(REGEX REPLACE "<property name=\"itemIndex\">${ws}<number>[0-9]+</number>${ws}</property>" "" ui "${ui}")
set(group_re "<widget class=\"RadioGroup\" name=\"([A-Za-z0-9_]+)\">")
while(ui MATCHES "${group_re}")
    set(name "${CMAKE_MATCH_1}")
    string(FIND "${ui}" "${CMAKE_MATCH_0}" start)
    string(SUBSTRING "${ui}" ${start} -1 rest)
    string(FIND "${rest}" "</widget>" end)
    string(SUBSTRING "${rest}" 0 ${end} group)
    set(columns 1)
    if(group MATCHES "<property name=\"columns\">${ws}<number>([0-9]+)</number>${ws}</property>")
        set(columns ${CMAKE_MATCH_1})
        string(REPLACE "${CMAKE_MATCH_0}" "" group "${group}")
    endif()
    if(NOT group MATCHES "<property name=\"items\">${ws}<stringlist>(.*)</stringlist>${ws}</property>")
        message(FATAL_ERROR "${IN}: radio group ${name} without items")
    endif()
    set(items_property "${CMAKE_MATCH_0}")
    string(REGEX MATCHALL "<string>[^<]*</string>" items "${CMAKE_MATCH_1}")
    list(LENGTH items count)
    math(EXPR rows "(${count} + ${columns} - 1) / ${columns}")
    set(stretch "1")
    foreach(c RANGE 2 ${columns})
        string(APPEND stretch ",1")
    endforeach()
    set(buttons "<layout class=\"QGridLayout\" name=\"${name}Items\" columnstretch=\"${stretch}\">")
    set(i 0)
    foreach(item IN LISTS items)
        math(EXPR row "${i} % ${rows}")
        math(EXPR column "${i} / ${rows}")
        set(checked "")
        if(i EQUAL 0)
            set(checked "<property name=\"checked\"><bool>true</bool></property>")
        endif()
        string(APPEND buttons "<item row=\"${row}\" column=\"${column}\"><widget class=\"QRadioButton\" name=\"${name}Item${i}\"><property name=\"text\">${item}</property>${checked}</widget></item>")
        math(EXPR i "${i} + 1")
    endforeach()
    string(APPEND buttons "</layout>")
    string(REPLACE "${items_property}" "" group "${group}")
    string(REPLACE "<widget class=\"RadioGroup\"" "<widget class=\"QGroupBox\"" group "${group}")
    string(SUBSTRING "${ui}" 0 ${start} head)
    math(EXPR tail_start "${start} + ${end}")
    string(SUBSTRING "${ui}" ${tail_start} -1 tail)
    set(ui "${head}${group}${buttons}${tail}")
endwhile()

if(ui MATCHES "class=\"(StringGrid|RadioGroup)\"")
    message(FATAL_ERROR "${IN}: a widget of ours is left in the floor's form")
endif()
string(REPLACE "@SEMICOLON@" ";" ui "${ui}")
file(WRITE "${OUT}.tmp" "${ui}")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
