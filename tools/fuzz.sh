#!/usr/bin/env bash
# Fuzzes the settings file, the pass and the checker for SECONDS (default 600).
# New inputs go to build/native-sanitize/fuzz/new; a crash is left there as crash-*:
# copy it into tests/fuzz/corpus/ as regression-<name> so every later run replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh
seconds=${1:-600}
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize --target settings_fuzzer
out=build/native-sanitize/fuzz
mkdir -p "$out/new"
exec build/native-sanitize/tests/fuzz/settings_fuzzer -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -artifact_prefix="$out/crash-" "$out/new" tests/fuzz/corpus
