# Sources are UTF-8; string literals are Shift-JIS, as the programs see them.
add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)

# GCC 12's <chrono> spells the micro sign in a narrow literal, which Shift-JIS cannot hold.
# Put a copy that spells it "us" ahead of the standard headers.
execute_process(
  COMMAND sh -c "echo '#include <chrono>' | ${CMAKE_CXX_COMPILER} -std=c++20 -M -x c++ - | tr ' \\\\' '\\n\\n' | grep '/chrono$' | head -n 1"
  OUTPUT_VARIABLE qvz_chrono OUTPUT_STRIP_TRAILING_WHITESPACE)
if(qvz_chrono AND EXISTS "${qvz_chrono}")
  file(READ "${qvz_chrono}" qvz_chrono_text)
  string(FIND "${qvz_chrono_text}" "\"\\u00b5s\"" qvz_micro)
  if(NOT qvz_micro EQUAL -1)
    string(REPLACE "\"\\u00b5s\"" "\"us\"" qvz_chrono_text "${qvz_chrono_text}")
    file(WRITE ${CMAKE_BINARY_DIR}/charset-shim/chrono "${qvz_chrono_text}")
    include_directories(BEFORE SYSTEM ${CMAKE_BINARY_DIR}/charset-shim)
  endif()
endif()
