# dxflib, the DXF reader, as a static library (its two sources, compiled directly).
fetch_source() {
  apt-get source -qq dxflib >/dev/null 2>&1 || apt-get source dxflib
  SRC=$(find . -maxdepth 1 -type d -name 'dxflib-*' | head -n 1)
  [ -n "$SRC" ]
}
build() {
  local cxx=$triplet-g++-posix
  # The reader sizes its vertex, knot and point arrays by counts read from the file: bound
  # them, so that a damaged count can neither overflow the size nor exhaust memory.
  sed -i -E 's/^([[:space:]]*)(max(Vertices|Knots|ControlPoints|FitPoints|LeaderVertices)) = toInt\(groupValue\);/\1\2 = toInt(groupValue);\n\1if (\2 < 0 || \2 > 1000000) \2 = 0;/' "$SRC/src/dl_dxf.cpp"
  [ "$(grep -c '> 1000000) max' "$SRC/src/dl_dxf.cpp")" = 5 ]
  mkdir -p obj "$prefix/lib" "$prefix/include/dxflib"
  for f in dl_dxf dl_writer_ascii; do
    "$cxx" -O2 -msse2 -mfpmath=sse -std=c++11 -c "$SRC/src/$f.cpp" -o "obj/$f.o"
  done
  rm -f "$prefix/lib/libdxflib.a"
  "$triplet-ar" rcs "$prefix/lib/libdxflib.a" obj/dl_dxf.o obj/dl_writer_ascii.o
  cp "$SRC"/src/*.h "$prefix/include/dxflib/"
}
