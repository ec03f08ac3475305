#!/usr/bin/env bash
# Archives with Japanese (Shift-JIS) entry names, made by Debian's LHA archiver
# (jlha-utils), one per header level. 表, 能 and ソ end in the byte 0x5C.
# Usage: make_sjis_fixtures.sh OUTDIR
set -euo pipefail
out=$1
work=$out/work
rm -rf "$work"
mkdir -p "$work/表"
cd "$work"
printf 'hyou bmp' >表.bmp
printf 'so text' >ソ.txt
printf 'nou in hyou' >表/能.txt
printf 'plain' >plain.txt
for level in 0 1 2; do
  rm -f "sjis$level.lzh"
  LC_ALL=ja_JP.UTF-8 lha "a$level" "sjis$level.lzh" 表.bmp ソ.txt 表/能.txt plain.txt >/dev/null
  cp "sjis$level.lzh" "$out/"
done
rm -rf "$work"
