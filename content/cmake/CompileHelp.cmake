# Compiles the help project with chmcmd in a scratch copy of its sources, fails on
# anything chmcmd warns about, and clears the compile times so that the same sources
# always give the same file.
#
#   cmake -DCHMCMD=... -DCHMSTAMP=... -DSOURCE=<help folder> -DWORK=<scratch folder>
#         -DOUTPUT=<chm file> -P CompileHelp.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var IN ITEMS CHMCMD CHMSTAMP SOURCE WORK OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "CompileHelp.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(COPY "${SOURCE}/" DESTINATION "${WORK}")
execute_process(COMMAND "${CHMCMD}" Varnel.hhp
                WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
# chmcmd reports missing files and broken links as warnings but still succeeds.
string(REGEX MATCHALL "[^\n]*([Ww]arning|[Ee]rror)[^\n]*" problems "${out}\n${err}")
if(NOT rc EQUAL 0 OR problems OR NOT EXISTS "${WORK}/Varnel.chm")
    message(FATAL_ERROR "chmcmd failed (exit ${rc}):\n${out}\n${err}")
endif()
execute_process(COMMAND "${CHMSTAMP}" "${WORK}/Varnel.chm" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "clearing the compile times of ${WORK}/Varnel.chm failed")
endif()
file(COPY_FILE "${WORK}/Varnel.chm" "${OUTPUT}")
