#!/usr/bin/env bash
# The quick search in VendaroExplorer.exe with 10 000 products on a CD-ROM d:, timed by the
# browser journey from Enter in the search box to the status text "検索結果 : N件".
# Usage: bench/browser_search/run_bench.sh (after scripts/build win64 and scripts/build host)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
"$here/scripts/journey" vendaro 2>/dev/null | grep -E "quick search .* s from Enter|first start ready|from the cache ready"
