# libjpeg-turbo with the IJG 6b interface (jpeg62), static, SIMD through nasm.
fetch_source() {
  apt-get source -qq libjpeg-turbo >/dev/null 2>&1 || apt-get source libjpeg-turbo
  SRC=$(find . -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
  [ -n "$SRC" ]
}
build() {
  cmake -S "$SRC" -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_SIMD=ON \
    -DCMAKE_C_FLAGS="-msse2 -mfpmath=sse"
  cmake --build build
  cmake --install build
}
