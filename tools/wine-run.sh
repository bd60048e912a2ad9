#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, and hands back its exit status.
export WINEDEBUG=-all
exec wine "$@"
