#!/usr/bin/env bash
# The main job: builds the plugin, stages what players get in dist/ (with the release
# archive), and runs the plugin in the simulated host as players load it: an ASI
# loader, the plugin in the game's scripts folder.
# Usage: tools/main.sh [INI] [--build 100|110|120|none] [--rebased] [--plugin-loader]
set -euo pipefail
usage="usage: tools/main.sh [INI] [--build 100|110|120|none] [--rebased] [--plugin-loader]

Builds the plugin, stages dist/ (the plugin, the checker, the colour editor, the template
ini, the players' guide and the release archive), and runs the plugin in a simulated game:
  INI              an ini to put in the game's plugins folder first
  --build B        the game build to imitate (default 100; none: a build it does not know)
  --rebased        the game loaded away from its usual base (build 100)
  --plugin-loader  loaded by the game's own code instead of an ASI loader from scripts"
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    -h|--help) echo "$usage"; exit 0 ;;
    --build) [ $# -ge 2 ] || { echo "tools/main.sh: --build needs 100, 110, 120 or none" >&2; exit 2; }
             args+=("$1" "$2"); shift ;;
    --rebased|--plugin-loader) args+=("$1") ;;
    -*) echo "tools/main.sh: unknown option $1 (see --help)" >&2; exit 2 ;;
    *) [ -f "$1" ] || { echo "tools/main.sh: no such ini: $1" >&2; exit 2; }
       ini=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
       args+=("$ini") ;;
  esac
  shift
done
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh

cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null
cmake --preset wasm >/dev/null
cmake --build --preset wasm --target editor_page >/dev/null

bin=build/win32/bin
archive=$(python3 tools/make_dist.py --binaries "$bin" --version-file build/win32/version.txt \
          --editor build/wasm/Tessivar.VC.editor.html --out dist)
echo "dist/Tessivar.VC.asi        the plugin, $(stat -c %s dist/Tessivar.VC.asi) bytes: put it in the game's scripts folder"
echo "dist/Tessivar.VC.ini        every key with its default, ready to edit"
echo "dist/Tessivar.VC.check.exe  the ini checker, for players"
echo "dist/Tessivar.VC.editor.html  the colour editor: open it by double-click, offline"
echo "dist/README.txt             the players' guide"
echo "dist/palettes/              six ready palettes, each a complete ini"
echo "$archive   all of these, the release archive"
echo

python3 tools/show_host_run.py --binaries "$bin" --plugin dist/Tessivar.VC.asi ${args[@]+"${args[@]}"}

# What the checker says of the ini that was given, if one was.
if [ -n "${ini:-}" ]; then
  echo; echo "the checker on $ini:"
  WINEDEBUG=-all wine dist/Tessivar.VC.check.exe "Z:${ini//\//\\}" || true
fi
