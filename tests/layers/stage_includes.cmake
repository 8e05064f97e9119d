# The stage folders of the analysis include each other in one direction only:
# each folder names the folders it may include, and only folders named before
# it, so no two stages reach each other in a circle. run/ calls the stages in
# turn; shared/ holds the state of a run that the stages work on. Run with
# cmake -DSOURCE_DIR=<repository> -P stage_includes.cmake; fails naming every
# include against the table and every stage folder the table lacks.

cmake_minimum_required(VERSION 3.25)

set(stages inventory shared rolling_stock resolve models scenery run)
set(uses_inventory)
set(uses_shared inventory)
set(uses_rolling_stock inventory shared)
set(uses_resolve inventory shared)
set(uses_models inventory shared resolve)
set(uses_scenery inventory shared resolve models)
set(uses_run inventory shared rolling_stock resolve models scenery)

set(faults)
set(earlier)
foreach(stage IN LISTS stages)
    foreach(used IN LISTS uses_${stage})
        if(NOT used IN_LIST earlier)
            list(APPEND faults "table: ${stage} uses ${used}, which comes after it")
        endif()
    endforeach()
    list(APPEND earlier ${stage})
endforeach()

file(GLOB folders LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR}/analysis ${SOURCE_DIR}/analysis/*)
foreach(folder IN LISTS folders)
    if(IS_DIRECTORY ${SOURCE_DIR}/analysis/${folder} AND NOT folder IN_LIST stages)
        list(APPEND faults "analysis/${folder}: a stage folder the table lacks")
    endif()
endforeach()

foreach(stage IN LISTS stages)
    file(GLOB sources ${SOURCE_DIR}/analysis/${stage}/*.h ${SOURCE_DIR}/analysis/${stage}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${source} includes REGEX "^#include \"analysis/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"analysis/([^/\"]*)/.*" "\\1" used "${line}")
            if(NOT used STREQUAL stage AND NOT used IN_LIST uses_${stage})
                file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
                list(APPEND faults "${name}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n" text)
    message(FATAL_ERROR "analysis stages against their table:\n${text}")
endif()
