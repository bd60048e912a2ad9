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
i686-w64-mingw32-strip -o dist/Tessivar.VC.check.exe "$bin/Tessivar.VC.check.exe"
WINEDEBUG=-all wine dist/Tessivar.VC.check.exe --template > dist/Tessivar.VC.ini
echo "dist/Tessivar.VC.dll        $(stat -c %s dist/Tessivar.VC.dll) bytes, stripped"
echo "dist/Tessivar.VC.check.exe  the ini checker, for players"
echo "dist/Tessivar.VC.ini        every key with its default, ready to edit"
echo

python3 tools/show_host_run.py --binaries "$bin" "$@"

# What the checker says of the ini that was given, if one was.
for arg in "$@"; do
  case "$arg" in
    --*) ;;
    100|110|120|none) ;;
    *) echo; echo "the checker on $arg:"
       WINEDEBUG=-all wine dist/Tessivar.VC.check.exe "$arg" || true
       break ;;
  esac
done
