# varnel_add_build_tool(NAME SOURCES file... [DEPENDS file...])
# A program that runs on the build machine while building (generators, stampers). Cross
# builds compile it with the build machine's compiler, native builds make it an ordinary
# target. Sets NAME_COMMAND (what to run) and NAME_DEPENDS (what a custom command that runs
# it depends on) in the caller's scope. Sources and headers are found from the source
# root, like every other file of the project.
function(varnel_add_build_tool name)
    cmake_parse_arguments(T "" "" "SOURCES;DEPENDS" ${ARGN})
    list(TRANSFORM T_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
    list(TRANSFORM T_DEPENDS PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
    if(CMAKE_CROSSCOMPILING)
        find_program(VARNEL_HOST_CXX NAMES g++ c++ REQUIRED)
        # In a folder of its own: the target of the same name has the folder's path.
        set(tool ${CMAKE_CURRENT_BINARY_DIR}/build-machine/${name})
        file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/build-machine)
        add_custom_command(OUTPUT ${tool}
            COMMAND ${VARNEL_HOST_CXX} -std=c++17 -O1 -Wall -Wextra -I${PROJECT_SOURCE_DIR} -o ${tool} ${T_SOURCES}
            DEPENDS ${T_SOURCES} ${T_DEPENDS}
            COMMENT "Building ${name} for the build machine")
        # A target of the tool's name, as in native builds, so that custom commands in other
        # folders can depend on the tool too.
        add_custom_target(${name} DEPENDS ${tool})
        set(${name}_COMMAND ${tool} PARENT_SCOPE)
        set(${name}_DEPENDS ${tool} ${name} PARENT_SCOPE)
    else()
        add_executable(${name} ${T_SOURCES})
        target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
        set(${name}_COMMAND $<TARGET_FILE:${name}> PARENT_SCOPE)
        set(${name}_DEPENDS ${name} PARENT_SCOPE)
    endif()
endfunction()
