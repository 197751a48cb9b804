# GoogleTest for every toolchain, and varnel_add_test().
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
    # Debian ships GoogleTest as source: build it with the cross compiler.
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(lib gtest gtest_main gmock gmock_main)
        if(NOT TARGET GTest::${lib})
            add_library(GTest::${lib} ALIAS ${lib})
        endif()
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()

# varnel_add_test(NAME SOURCES ... LIBS ... [NATIVE_ONLY] [WINDOWS_ONLY])
# Natively every test case becomes its own ctest entry; under Wine each program is one
# entry, since every start of a Wine process costs time.
function(varnel_add_test name)
    cmake_parse_arguments(T "NATIVE_ONLY;WINDOWS_ONLY" "" "SOURCES;LIBS" ${ARGN})
    if((T_NATIVE_ONLY AND WIN32) OR (T_WINDOWS_ONLY AND NOT WIN32))
        return()
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name} --gtest_color=no WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
        # Under Wine every program shares one display and one input queue: a window opened by
        # one would take the pointer or the focus from another's real input. One at a time.
        set_tests_properties(${name} PROPERTIES TIMEOUT 600 RESOURCE_LOCK varnel_display)
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
                             PROPERTIES TIMEOUT 300)
    endif()
endfunction()

# varnel_add_bench(NAME SOURCES ... LIBS ...): Google Benchmark programs, native builds
# only. The test suite runs each once, briefly, as a smoke test; real figures come from
# running them by hand in the native-release build.
function(varnel_add_bench name)
    if(CMAKE_CROSSCOMPILING)
        return()
    endif()
    find_package(benchmark REQUIRED)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
    # Timings mean nothing under the sanitizers: the smoke run belongs to the optimised build.
    if(NOT VARNEL_SANITIZE)
        add_test(NAME ${name}_smoke COMMAND ${name} --benchmark_min_time=0.001 --benchmark_repetitions=1)
        set_tests_properties(${name}_smoke PROPERTIES LABELS bench TIMEOUT 300)
    endif()
endfunction()
