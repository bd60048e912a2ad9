#!/usr/bin/env bash
# Benchmarks (not tests): the cost of each hooked call under Wine, the reader and the
# pass natively over growing files, the editor page's start and its work on a 50 MB file,
# and the size of the delivered plugin. It needs what
# tools/test.sh (or tools/main.sh) installs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake --preset win32 >/dev/null
cmake --build --preset win32 --target hooked_call_bench tessivar_plugin >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target native_bench >/dev/null
cmake --preset wasm >/dev/null
cmake --build --preset wasm --target editor_page >/dev/null

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine --version)"
echo
echo "== under Wine, in one process"
WINEDEBUG=-all wine build/win32/bin/hooked_call_bench.exe
echo
echo "== natively: read the ini and run the pass against the recording writer"
build/native/bench/native_bench --benchmark_min_time=0.5
echo
echo
echo "== the editor page in headless Chromium, from file://"
node bench/page_bench.mjs build/wasm/Tessivar.VC.editor.html 21
node bench/folder_bench.mjs build/wasm/Tessivar.VC.editor.html
echo
stripped=$(mktemp)
i686-w64-mingw32-strip -o "$stripped" build/win32/bin/Tessivar.VC.asi
echo "== Tessivar.VC.asi stripped: $(stat -c %s "$stripped") bytes (goal: under $((256 * 1024)))"
i686-w64-mingw32-size "$stripped" | tail -1 | awk '{print "   text " $1 ", data " $2 ", bss " $3}'
rm -f "$stripped"
