#!/usr/bin/env bash
# Fuzzes each target (reader, checker, codes, location, editor) for SECONDS (default 600) each, with
# ASan and UBSan. New inputs go to build/native-sanitize/fuzz/<target>; a crash is left
# there as crash-<target>-*: copy it into tests/fuzz/corpus/<target>/ as
# regression-<name> so every later run replays it.
#   tools/fuzz.sh [SECONDS] [TARGET...]
#   tools/fuzz.sh --merge     fold what the runs found into the corpus, minimised
# It needs what tools/test.sh (or tools/main.sh) installs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
targets=(reader checker codes location editor)
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize --target "${targets[@]/%/_fuzzer}" >/dev/null
bin=build/native-sanitize/tests/fuzz
out=build/native-sanitize/fuzz
dict=tests/fuzz/settings.dict

if [ "${1:-}" = "--merge" ]; then
  for t in "${targets[@]}"; do
    mkdir -p "$out/$t"
    "$bin/${t}_fuzzer" -merge=1 -dict="$dict" "tests/fuzz/corpus/$t" "$out/$t"
  done
  exit 0
fi

seconds=${1:-600}
shift || true
[ $# -gt 0 ] && targets=("$@")
status=0
for t in "${targets[@]}"; do
  mkdir -p "$out/$t"
  echo "== $t for $seconds s"
  "$bin/${t}_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -dict="$dict" \
    -print_final_stats=1 -artifact_prefix="$out/crash-$t-" "$out/$t" "tests/fuzz/corpus/$t" \
    2>&1 | grep -E "^(#[0-9]+ +DONE|stat::|==[0-9]+==ERROR|invariant|SUMMARY)" || status=1
done
exit $status
