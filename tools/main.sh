#!/usr/bin/env bash
# The main job: builds the plugin, stages what players get in dist/ (with the release
# archive), and runs the plugin in the simulated host as players load it: an ASI
# loader, the plugin in the game's scripts folder.
# Usage: tools/main.sh [INI] [--build 100|110|120|none] [--rebased] [--plugin-loader]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null

bin=build/win32/bin
archive=$(python3 tools/make_dist.py --binaries "$bin" --version-file build/win32/version.txt \
          --out dist)
echo "dist/Tessivar.VC.asi        the plugin, $(stat -c %s dist/Tessivar.VC.asi) bytes: put it in the game's scripts folder"
echo "dist/Tessivar.VC.ini        every key with its default, ready to edit"
echo "dist/Tessivar.VC.check.exe  the ini checker, for players"
echo "dist/README.txt             the players' guide"
echo "$archive   all four, the release archive"
echo

python3 tools/show_host_run.py --binaries "$bin" --plugin dist/Tessivar.VC.asi "$@"

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
