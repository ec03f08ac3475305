# Outside libraries as uniform targets for both builds.
if(WIN32)
  set(QVZ_DEPS_PREFIX ${CMAKE_SOURCE_DIR}/build/deps/i686-w64-mingw32 CACHE PATH "Target libraries built from Debian's sources")
  if(NOT EXISTS ${QVZ_DEPS_PREFIX}/lib/libjpeg.a)
    message(FATAL_ERROR "libjpeg for the target is missing in ${QVZ_DEPS_PREFIX}: run scripts/setup")
  endif()
  add_library(qvz_jpeg STATIC IMPORTED GLOBAL)
  set_target_properties(qvz_jpeg PROPERTIES
    IMPORTED_LOCATION ${QVZ_DEPS_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${QVZ_DEPS_PREFIX}/include)
  find_library(QVZ_ZLIB NAMES libz.a z REQUIRED)
  add_library(qvz_zlib INTERFACE)
  target_link_libraries(qvz_zlib INTERFACE ${QVZ_ZLIB})

  # The C++ runtime is shared (classes and exceptions cross DLL borders): ship it beside the programs.
  foreach(dll libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT EXISTS "${dll_path}")
      message(FATAL_ERROR "runtime ${dll} not found")
    endif()
    file(COPY ${dll_path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endforeach()
else()
  find_package(JPEG REQUIRED)
  add_library(qvz_jpeg INTERFACE)
  target_link_libraries(qvz_jpeg INTERFACE JPEG::JPEG)
  find_package(ZLIB REQUIRED)
  add_library(qvz_zlib INTERFACE)
  target_link_libraries(qvz_zlib INTERFACE ZLIB::ZLIB)
endif()
