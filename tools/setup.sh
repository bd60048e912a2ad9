#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian machine, and returns
# quickly when everything is already there. The README's two commands run it; the other
# scripts rely on it having run.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 cmake ninja-build
          googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
          clang-format python3 binutils-mingw-w64-i686 tmux gettext
          emscripten node-acorn chromium nodejs)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# npm comes with some Node.js builds and not with Debian's.
if ! command -v npm >/dev/null 2>&1; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm >/dev/null
fi

# The page test drives Chromium with puppeteer-core, from the npm registry.
tests=$(cd "$(dirname "$0")/../tests/editor" && pwd)
if [ ! -d "$tests/node_modules/puppeteer-core" ]; then
  (cd "$tests" && npm install --no-audit --no-fund --no-package-lock >/dev/null)
fi

# Wine's first start creates its prefix; do it once, quietly.
export WINEDEBUG=-all
prefix="${WINEPREFIX:-$HOME/.wine}"
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
fi
