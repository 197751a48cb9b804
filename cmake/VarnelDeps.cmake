# Defines Varnel::png, Varnel::jpeg and Varnel::zlib.
#
# Windows cross builds link the static libraries that scripts/setup-deps puts
# in .deps/win32 or .deps/win64 (VARNEL_DEPS_DIR overrides), plus zlib from the
# mingw-w64 sysroot. Native builds use the system libraries.
#
# Include after project(): the architecture is read from CMAKE_SIZEOF_VOID_P.

include_guard(GLOBAL)

if(TARGET Varnel::png OR TARGET Varnel::jpeg OR TARGET Varnel::zlib)
  return()
endif()

function(_varnel_deps_windows)
  if(NOT CMAKE_SIZEOF_VOID_P)
    message(FATAL_ERROR "VarnelDeps: include this module after project() "
                        "has enabled C or C++.")
  endif()
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(arch win64)
    set(triple x86_64-w64-mingw32)
  else()
    set(arch win32)
    set(triple i686-w64-mingw32)
  endif()
  if(DEFINED VARNEL_ARCH AND NOT VARNEL_ARCH STREQUAL arch)
    message(FATAL_ERROR "VarnelDeps: VARNEL_ARCH is ${VARNEL_ARCH} but the "
                        "compiler makes ${CMAKE_SIZEOF_VOID_P}-byte pointers (${arch}).")
  endif()

  set(VARNEL_DEPS_DIR "${CMAKE_SOURCE_DIR}/.deps/${arch}" CACHE PATH
      "Prefix holding the static libpng and libjpeg for this Windows target")
  set(dir "${VARNEL_DEPS_DIR}")
  set(hint "Run scripts/setup-deps ${arch} (from the source tree) to build them, \
or point VARNEL_DEPS_DIR at a prefix that has them.")

  set(png_lib "${dir}/lib/libpng16.a")
  if(NOT EXISTS "${png_lib}" AND EXISTS "${dir}/lib/libpng.a")
    set(png_lib "${dir}/lib/libpng.a")
  endif()
  set(missing "")
  foreach(f IN ITEMS "${png_lib}" lib/libjpeg.a include/png.h include/pngconf.h
                     include/pnglibconf.h include/jpeglib.h include/jconfig.h
                     include/jmorecfg.h include/jerror.h)
    if(NOT IS_ABSOLUTE "${f}")
      set(f "${dir}/${f}")
    endif()
    if(NOT EXISTS "${f}")
      list(APPEND missing "${f}")
    endif()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " missing)
    message(FATAL_ERROR "VarnelDeps: Windows libraries for ${arch} are missing:\n"
                        "  ${missing}\n${hint}")
  endif()

  # A prefix built for the other word size would only fail at link time.
  foreach(stamp IN ITEMS .stamp-libpng .stamp-libjpeg)
    if(EXISTS "${dir}/${stamp}")
      file(STRINGS "${dir}/${stamp}" built_for REGEX "^target=")
      string(REPLACE "target=" "" built_for "${built_for}")
      if(built_for AND NOT built_for STREQUAL triple)
        message(FATAL_ERROR "VarnelDeps: ${dir} was built for "
                            "${built_for}, not ${triple}.\n${hint}")
      endif()
    endif()
  endforeach()

  # The compiler's own search path decides which libz.a it would link, so a
  # host libz.a can never be picked up by mistake.
  if(NOT VARNEL_ZLIB_LIBRARY)
    if(CMAKE_C_COMPILER_LOADED)
      set(cc "${CMAKE_C_COMPILER}")
    else()
      set(cc "${CMAKE_CXX_COMPILER}")
    endif()
    execute_process(COMMAND "${cc}" -print-file-name=libz.a
                    OUTPUT_VARIABLE zlib OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0 OR NOT IS_ABSOLUTE "${zlib}" OR NOT EXISTS "${zlib}")
      message(FATAL_ERROR "VarnelDeps: ${cc} finds no libz.a. Install Debian's "
                          "libz-mingw-w64-dev or set VARNEL_ZLIB_LIBRARY.")
    endif()
    get_filename_component(zlib "${zlib}" REALPATH)
    set(VARNEL_ZLIB_LIBRARY "${zlib}" CACHE FILEPATH "Static zlib for the Windows target")
  endif()
  get_filename_component(zlib_prefix "${VARNEL_ZLIB_LIBRARY}" DIRECTORY)
  get_filename_component(zlib_prefix "${zlib_prefix}" DIRECTORY)
  set(zlib_include "")
  if(EXISTS "${zlib_prefix}/include/zlib.h")
    set(zlib_include "${zlib_prefix}/include")
  endif()

  add_library(Varnel::zlib STATIC IMPORTED GLOBAL)
  set_target_properties(Varnel::zlib PROPERTIES
    IMPORTED_LOCATION "${VARNEL_ZLIB_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${zlib_include}")

  add_library(Varnel::png STATIC IMPORTED GLOBAL)
  set_target_properties(Varnel::png PROPERTIES
    IMPORTED_LOCATION "${png_lib}"
    INTERFACE_INCLUDE_DIRECTORIES "${dir}/include"
    INTERFACE_LINK_LIBRARIES Varnel::zlib)

  add_library(Varnel::jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(Varnel::jpeg PROPERTIES
    IMPORTED_LOCATION "${dir}/lib/libjpeg.a"
    INTERFACE_INCLUDE_DIRECTORIES "${dir}/include")

  # Rebuilt libraries get a new stamp; reconfigure so the checks above rerun.
  # Only existing files: a missing one would make every build reconfigure.
  foreach(stamp IN ITEMS .stamp-libpng .stamp-libjpeg)
    if(EXISTS "${dir}/${stamp}")
      set_property(DIRECTORY "${CMAKE_SOURCE_DIR}" APPEND PROPERTY
                   CMAKE_CONFIGURE_DEPENDS "${dir}/${stamp}")
    endif()
  endforeach()
endfunction()

function(_varnel_deps_native)
  set(hint "Install Debian's libpng-dev, libjpeg62-turbo-dev and zlib1g-dev \
(scripts/setup-deps --install-prereqs native).")
  foreach(pkg IN ITEMS ZLIB PNG JPEG)
    find_package(${pkg})
    if(NOT ${pkg}_FOUND OR NOT TARGET ${pkg}::${pkg})
      message(FATAL_ERROR "VarnelDeps: ${pkg} not found. ${hint}")
    endif()
    # find_package targets are local to this directory; the wrappers below
    # are used from everywhere.
    set_target_properties(${pkg}::${pkg} PROPERTIES IMPORTED_GLOBAL TRUE)
  endforeach()
  foreach(name IN ITEMS zlib png jpeg)
    string(TOUPPER ${name} pkg)
    add_library(Varnel::${name} INTERFACE IMPORTED GLOBAL)
    set_target_properties(Varnel::${name} PROPERTIES INTERFACE_LINK_LIBRARIES ${pkg}::${pkg})
  endforeach()
endfunction()

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  _varnel_deps_windows()
else()
  _varnel_deps_native()
endif()
