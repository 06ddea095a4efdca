# Writes OUT: what the game's screens stand on in the shipped layout LAYOUT, so that start-up can
# refuse a layout that lost any of it: every named element (the screens find theirs by name, some
# as the first of a run, ID_TK_UP_1 + k), the columns of every grid and list, the choices of every
# list the layout fills, every click action, every scroll bar's target and every label without a name
# that shows a text (a heading, a tab that is the current one). Elements, grids, lists, scroll bars
# and labels go with their window (a top-level element): two windows may give elements the same number.
# Run with -DLAYOUT=<file> -DOUT=<file>.
cmake_minimum_required(VERSION 3.20)
file(READ ${LAYOUT} xml)
# Comments may hold anything.
while(TRUE)
    string(FIND "${xml}" "<!--" begin)
    if(begin EQUAL -1)
        break()
    endif()
    string(SUBSTRING "${xml}" ${begin} -1 rest)
    string(FIND "${rest}" "-->" length)
    if(length EQUAL -1)
        message(FATAL_ERROR "${LAYOUT}: a comment is not closed")
    endif()
    math(EXPR after "${begin} + ${length} + 3")
    string(SUBSTRING "${xml}" 0 ${begin} head)
    string(SUBSTRING "${xml}" ${after} -1 tail)
    set(xml "${head}${tail}")
endwhile()
# CMake lists split at ';' and brackets: they stand in for themselves until a label's text is written.
string(REPLACE ";" "@FB_SEMICOLON@" xml "${xml}")
string(REPLACE "[" "@FB_OPEN@" xml "${xml}")
string(REPLACE "]" "@FB_CLOSE@" xml "${xml}")
string(REGEX MATCHALL "<[/A-Za-z][^>]*>" tags "${xml}")

set(elements "")
set(grids "")
set(lists "")
set(actions "")
set(scrolled "")
set(labels "")
set(open "") # the named grid or list whose columns or items are being counted
set(openType "")
set(count 0)
set(items 0)
set(least 0)
set(depth 0) # 1 inside the root, 2 inside a window
set(window "")
foreach(tag IN LISTS tags)
    string(REGEX MATCH "^</?([A-Za-z]+)" found "${tag}")
    set(type "${CMAKE_MATCH_1}")
    if(tag MATCHES "^<[?!]")
        continue()
    endif()
    if(tag MATCHES "^</")
        math(EXPR depth "${depth} - 1")
        if(NOT open STREQUAL "" AND type STREQUAL openType)
            # A grid has at least the columns its attribute gives, as the loader builds it.
            if(count LESS least)
                set(count ${least})
            endif()
            if(count GREATER 0)
                string(APPEND grids "        {\"${window}\", \"${open}\", ${count}},\n")
            endif()
            if(items GREATER 0)
                string(APPEND lists "        {\"${window}\", \"${open}\", ${items}},\n")
            endif()
            set(open "")
            set(openType "")
        endif()
        continue()
    endif()
    set(name "")
    if(tag MATCHES "[ \t\r\n]name=\"([A-Za-z0-9_]+)\"")
        set(name "${CMAKE_MATCH_1}")
    endif()
    if(depth EQUAL 1)
        set(window "${name}")
    endif()
    if(NOT tag MATCHES "/>$")
        math(EXPR depth "${depth} + 1")
    endif()
    set(target "")
    if(tag MATCHES "[ \t\r\n]target=\"([A-Za-z0-9_]+)\"")
        set(target "${CMAKE_MATCH_1}")
    endif()
    if(type STREQUAL "Column" AND NOT openType STREQUAL "")
        math(EXPR count "${count} + 1")
    elseif(type STREQUAL "Item" AND NOT openType STREQUAL "" AND NOT openType STREQUAL "Grid")
        math(EXPR items "${items} + 1")
    elseif(type STREQUAL "Action")
        if(tag MATCHES "[ \t\r\n]source=\"([A-Za-z0-9_]+)\"")
            string(APPEND actions "        {\"${CMAKE_MATCH_1}\", \"${target}\"},\n")
        endif()
    else()
        if(NOT name STREQUAL "")
            string(APPEND elements "        {\"${window}\", \"${name}\"},\n")
        endif()
        if(name STREQUAL "" AND type MATCHES "^(Static|TextBox)$" AND tag MATCHES "[ \t\r\n]text=\"([^\"]+)\"")
            # The text as the parser reads it, then as a C++ string literal.
            set(label "${CMAKE_MATCH_1}")
            string(REPLACE "@FB_SEMICOLON@" ";" label "${label}")
            string(REPLACE "@FB_OPEN@" "[" label "${label}")
            string(REPLACE "@FB_CLOSE@" "]" label "${label}")
            string(REPLACE "&lt;" "<" label "${label}")
            string(REPLACE "&gt;" ">" label "${label}")
            string(REPLACE "&quot;" "\"" label "${label}")
            string(REPLACE "&apos;" "'" label "${label}")
            string(REPLACE "&amp;" "&" label "${label}")
            string(REPLACE "\\" "\\\\" label "${label}")
            string(REPLACE "\"" "\\\"" label "${label}")
            string(APPEND labels "        {\"${window}\", \"${label}\"},\n")
        endif()
        if(type STREQUAL "ScrollBar" AND NOT target STREQUAL "")
            string(APPEND scrolled "        {\"${window}\", \"${target}\"},\n")
        endif()
        if(type MATCHES "^(Grid|List|Combo)$")
            set(columns 0)
            if(tag MATCHES "[ \t\r\n]columns=\"([0-9]+)\"")
                set(columns ${CMAKE_MATCH_1})
            endif()
            if(tag MATCHES "/>$")
                if(type STREQUAL "Grid" AND columns GREATER 0 AND NOT name STREQUAL "")
                    string(APPEND grids "        {\"${window}\", \"${name}\", ${columns}},\n")
                endif()
            elseif(NOT name STREQUAL "")
                set(open "${name}")
                set(openType "${type}")
                set(count 0)
                set(items 0)
                set(least 0)
                if(type STREQUAL "Grid")
                    set(least ${columns})
                endif()
            endif()
        endif()
    endif()
endforeach()

set(text "// Generated by cmake/LayoutNeeds.cmake from the shipped layout; do not edit.
#include \"app/ContentChecks.h\"

const LayoutNeeds& ShippedLayoutNeeds() {
    static const LayoutNeeds kNeeds{
        {
${elements}        },
        {
${grids}        },
        {
${lists}        },
        {
${actions}        },
        {
${scrolled}        },
        {
${labels}        },
    };
    return kNeeds;
}
")
file(WRITE ${OUT} "${text}")
