# Compiles the help twice from scratch and checks that both files, and the one the
# build made, are the same byte for byte.
#
#   cmake -DCHMCMD=... -DCHMSTAMP=... -DSOURCE=... -DWORK=<scratch> -DBUILT=<chm> -P CheckHelpReproducible.cmake
cmake_minimum_required(VERSION 3.25)
foreach(run IN ITEMS a b)
    execute_process(COMMAND "${CMAKE_COMMAND}" -DCHMCMD=${CHMCMD} -DCHMSTAMP=${CHMSTAMP} -DSOURCE=${SOURCE}
                            -DWORK=${WORK}/${run} -DOUTPUT=${WORK}/${run}.chm
                            -P "${CMAKE_CURRENT_LIST_DIR}/CompileHelp.cmake"
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "compiling the help failed")
    endif()
endforeach()
foreach(other IN ITEMS "${WORK}/b.chm" "${BUILT}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/a.chm" "${other}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${WORK}/a.chm and ${other} differ")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
