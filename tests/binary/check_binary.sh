#!/usr/bin/env bash
# Checks delivered Windows binaries: they import only Windows system DLLs, and the
# plugin (first argument) exports no function.
set -euo pipefail
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
system_dlls='^(kernel32|user32|advapi32|msvcrt|ntdll|psapi|shell32|ole32)\.dll$'
status=0
plugin=$1
for binary in "$@"; do
  while read -r dll; do
    if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system_dlls"; then
      echo "FAIL: $binary imports $dll"
      status=1
    fi
  done < <("$objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done
exported=$("$objdump" -p "$plugin" | awk '/Number in:/{n=1;next} n&&/Export Address Table/&&!done{print $4; done=1}')
if [ -n "$exported" ] && [ $((16#$exported)) -ne 0 ]; then
  echo "FAIL: $plugin exports $((16#$exported)) functions"
  status=1
fi
[ $status -eq 0 ] && echo "ok: $# binaries import only system DLLs; the plugin exports nothing"
exit $status
