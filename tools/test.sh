#!/usr/bin/env bash
# The whole test suite: the host-independent code natively, again under ASan and
# UBSan with a short fuzzing run, on WebAssembly under Node with the editor page in
# headless Chromium, then everything for i686 Windows under Wine.
# Fails when any test fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/setup.sh || exit 1

# Here every preset is built before the ones whose tests use its products: no skips.
export TESSIVAR_NO_SKIP=1
failed=()
for preset in native native-sanitize wasm win32; do
  echo "== $preset"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    failed+=("$preset (build)")
    continue
  fi
  if [ "$preset" = win32 ] && ! WINEDEBUG=-all wine --version >/dev/null 2>&1; then
    # Some virtual machines' kernels refuse 32-bit programs, and so Wine itself: there the
    # Windows files are built and inspected, and nothing of them can run.
    echo "!! this machine cannot run 32-bit programs (wine --version fails): of the win32"
    echo "!! tests only those that need no Wine run; run the rest where Wine runs"
    ctest --preset "$preset" -R '^delivered_binaries$' || failed+=("$preset")
    continue
  fi
  ctest --preset "$preset" || failed+=("$preset")
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "all test suites passed"
