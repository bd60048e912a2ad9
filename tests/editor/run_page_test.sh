#!/usr/bin/env bash
# The editor page in headless Chromium (puppeteer-core, which tools/setup.sh installs).
# Usage: run_page_test.sh PAGE NATIVE_CHECKER OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -x "$2" ]; then
  # The native checker comes from the native preset; tools/test.sh builds it first.
  echo "SKIPPED: no native checker at $2 to compare the page with; build it first with" \
       "cmake --preset native && cmake --build --preset native"
  [ -n "${TESSIVAR_NO_SKIP:-}" ] && exit 1
  exit 77
fi
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  echo "no puppeteer-core in $here/node_modules: run tools/setup.sh"
  exit 1
fi
exec node "$here/page_test.mjs" "$@"
