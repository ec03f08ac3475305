# lhasa, the LHA decoder, as a static library: its lib/ is plain C, compiled by a small CMake list.
# bit_stream_reader.c, lh_new_decoder.c, pma_common.c and tree_decode.c are included by other
# sources and are not compiled on their own.
fetch_source() {
  apt-get source -qq lhasa >/dev/null 2>&1 || apt-get source lhasa
  SRC=$(find . -maxdepth 1 -type d -name 'lhasa-*' | head -n 1)
  [ -n "$SRC" ]
}
build() {
  local src
  src=$(cd "$SRC" && pwd)
  mkdir -p list
  cat >list/CMakeLists.txt <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(lhasa C)
file(GLOB sources $src/lib/*.c)
list(FILTER sources EXCLUDE REGEX "/(bit_stream_reader|lh_new_decoder|pma_common|tree_decode)\\\\.c\$")
add_library(lhasa STATIC \${sources})
target_include_directories(lhasa PRIVATE $src/lib $src/lib/public)
install(TARGETS lhasa ARCHIVE DESTINATION lib)
install(DIRECTORY $src/lib/public/ DESTINATION include/lhasa FILES_MATCHING PATTERN "*.h")
CMAKE
  cmake -S list -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_C_FLAGS="-msse2 -mfpmath=sse"
  cmake --build build
  cmake --install build
}
