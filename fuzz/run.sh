#!/usr/bin/env bash
# Runs every fuzzing harness for the given minutes each (default 10), at most QVZ_FUZZ_JOBS
# (default 3, for a shared machine) at a time, one worker process each, and prints what each
# found. Run by hand, never by CI. Corpora, findings, logs and the table stay under
# build/fuzz/ (QVZ_BUILD_ROOT/fuzz).
# Usage: fuzz/run.sh [minutes] [harness...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
minutes=${1:-10}
shift || true
jobs=${QVZ_FUZZ_JOBS:-3}
root=${QVZ_BUILD_ROOT:-build}
tree=$here/$root/fuzz

# GCC instruments (it keeps our Shift-JIS literals) and libFuzzer's engine drives each
# harness in-process; see fuzz/NOTES.md.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_DIR=${CCACHE_DIR:-/var/cache/qvz-ccache} CCACHE_BASEDIR=$here CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$tree/build.ninja" ]; then
  cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
    -DCMAKE_C_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DQVZ_FUZZ=ON >/dev/null
fi
if ! cmake --build "$tree" -j "${QVZ_JOBS:-$jobs}" --target qvz_fuzzers >"$tree/build.log" 2>&1; then
  tail -n 40 "$tree/build.log" >&2
  exit 1
fi

if [ $# -gt 0 ]; then harnesses=("$@"); else mapfile -t harnesses < <(grep -v '^$' "$tree/fuzzers.txt"); fi

# Seeds from the project's own writers, made fresh each run; each harness's corpus keeps
# what earlier runs found.
rm -rf "$tree/seeds"
QVZ_FUZZ_SCRATCH=$tree/scratch/seeds "$tree/bin/fuzz_seeds" "$tree/seeds"
if [ -x "$tree/bin/fuzz_lha_extract" ] && command -v lha >/dev/null; then
  "$here/tests/renderer/make_lha_fixtures.sh" "$tree/scratch/lha-seeds" >/dev/null
  mkdir -p "$tree/seeds/lha_extract"
  cp "$tree/scratch/lha-seeds"/*.lzh "$tree/seeds/lha_extract/"
fi

dict_of() {
  case $1 in
    board_stream|objects_file|clipboard_block) echo board ;;
    catalog_*) echo catalog ;;
    scene_text|scene_container) echo scene ;;
    scene_bitmap|texture_bmp|texture_trailer|texture_clipboard_dib|picture_bmp|picture_packed_dib) echo bmp ;;
    texture_jpeg|picture_jpeg) echo jpeg ;;
    picture_metafile|floor_plan) echo metafile ;;
    shape_file) echo shape ;;
    order_file) echo order ;;
    picture_raster_header) echo raster ;;
    lha_extract) echo lha ;;
  esac
}

run_one() {
  local h=$1 corpus=$tree/corpus/$1 found=$tree/findings/$1
  mkdir -p "$corpus" "$found"
  local dict=$here/fuzz/dict/$(dict_of "$h").dict
  # One worker process (fork mode, so that a crash is kept and fuzzing goes on); leaks and
  # sanitizer reports count as crashes; an input running over 10 s is a hang.
  ( cd "$found" && env QVZ_FUZZ_SCRATCH="$tree/scratch/$h" \
      ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=0 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1 \
      "$tree/bin/fuzz_$h" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
        -max_len=65536 -dict="$dict" -artifact_prefix="$found/" \
        "$corpus" "$tree/seeds/$h" ) >"$tree/log/$h.log" 2>&1 ||
    echo "fuzz/run.sh: $h: the fuzzer stopped with an error, see $tree/log/$h.log" >&2
}
export -f run_one dict_of
export tree here minutes

mkdir -p "$tree/log"
printf '%s\n' "${harnesses[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}

table=$tree/results.txt
{
  echo "fuzzing run of $(date -u '+%Y-%m-%d %H:%M UTC') on $(hostname) ($(nproc) cores), $minutes min per harness, $jobs at a time"
  printf '%-22s %12s %8s %8s %8s %8s %6s\n' harness executions corpus edges features crashes hangs
  for h in "${harnesses[@]}"; do
    # The last progress line of fork mode: "#runs: cov: C ft: F corp: N exec/s ...".
    line=$(grep -a '^#[0-9]*: cov:' "$tree/log/$h.log" | tail -1)
    read -r runs cov ft corp < <(echo "$line" | sed -E 's/^#([0-9]+): cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 \2 \3 \4/')
    crashes=$(find "$tree/findings/$h" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
    hangs=$(find "$tree/findings/$h" -maxdepth 1 -name 'timeout-*' | wc -l)
    printf '%-22s %12s %8s %8s %8s %8s %6s\n' "$h" "${runs:-?}" "${corp:-?}" "${cov:-?}" "${ft:-?}" "$crashes" "$hangs"
  done
  echo "findings: $tree/findings/<harness>/ (crash-*, leak-*, oom-*, timeout-*); logs: $tree/log/"
} | tee "$table"
