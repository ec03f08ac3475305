# GoogleTest from Debian's sources, built with the same flags as our code.
enable_testing()
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(QVZ_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results)
set(QVZ_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/lib/wine-run)

# qvz_add_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [NO_GTEST_MAIN] [RUNNER script]
#               [SHARDS n])
# One executable; under the cross build CTest runs it through Wine. Each run leaves a
# GoogleTest XML report that the test script sums up. A RUNNER runs it in a prefix of its
# own instead: it is given the build folder and the program's file name, and maps the build
# folder as T:. SHARDS splits a long program's tests over n runs (name_1 ... name_n, through
# GoogleTest's own sharding), so that no run comes near the time limit on a slow machine.
function(qvz_add_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY;NO_GTEST_MAIN" "RUNNER;SHARDS" "SOURCES;LIBS" ${ARGN})
  if(T_WINDOWS_ONLY AND NOT WIN32)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gmock)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main gmock)
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(NOT T_SHARDS)
    set(T_SHARDS 1)
  endif()
  foreach(shard RANGE 1 ${T_SHARDS})
    set(run ${name})
    if(T_SHARDS GREATER 1)
      set(run ${name}_${shard})
    endif()
    set(report --gtest_output=xml:${QVZ_TEST_RESULTS}/${run}.xml)
    if(WIN32)
      # Wine sees the Linux file system as drive Z:.
      set(report --gtest_output=xml:Z:${QVZ_TEST_RESULTS}/${run}.xml)
      if(T_RUNNER)
        add_test(NAME ${run} COMMAND ${T_RUNNER} ${CMAKE_BINARY_DIR} $<TARGET_FILE_NAME:${name}>
          "--gtest_output=xml:T:\\test-results\\${run}.xml")
      else()
        add_test(NAME ${run} COMMAND ${QVZ_WINE_RUN} $<TARGET_FILE:${name}> ${report})
      endif()
    else()
      add_test(NAME ${run} COMMAND $<TARGET_FILE:${name}> ${report})
    endif()
    set(env "QVZ_SOURCE_DIR=${CMAKE_SOURCE_DIR};QVZ_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY};QVZ_WINE_RUN_CAPTURE=1;QVZ_WINE_RUN_LOG=${QVZ_TEST_RESULTS}/${run}.log")
    if(T_SHARDS GREATER 1)
      math(EXPR index "${shard} - 1")
      list(APPEND env "GTEST_TOTAL_SHARDS=${T_SHARDS}" "GTEST_SHARD_INDEX=${index}")
    endif()
    set_tests_properties(${run} PROPERTIES
      WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
      TIMEOUT 600
      ENVIRONMENT "${env}")
    if(T_WINDOWS_ONLY)
      # Windows of tests running side by side on one display take each other's focus.
      set_tests_properties(${run} PROPERTIES RESOURCE_LOCK qvz_display)
    endif()
  endforeach()
endfunction()
