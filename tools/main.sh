#!/usr/bin/env bash
# The main job: builds the plugin, stages it in dist/, and runs it in the simulated
# host. Usage: tools/main.sh [INI] [--build 100|110|120|none] [--rebased]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null

bin=build/win32/bin
mkdir -p dist
i686-w64-mingw32-strip -o dist/Tessivar.VC.dll "$bin/Tessivar.VC.dll"
echo "dist/Tessivar.VC.dll: $(stat -c %s dist/Tessivar.VC.dll) bytes, stripped"
echo

python3 tools/show_host_run.py --binaries "$bin" "$@"
