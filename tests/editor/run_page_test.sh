#!/usr/bin/env bash
# The editor page in headless Chromium: installs the test's npm packages the first
# time, then runs it. Usage: run_page_test.sh PAGE NATIVE_CHECKER OUT_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/puppeteer-core" ]; then
  (cd "$here" && npm install --no-audit --no-fund --no-package-lock >/dev/null)
fi
exec node "$here/page_test.mjs" "$@"
