#!/bin/bash
# Runs a Windows program of the cross build under Wine: ctest's emulator.
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The Wine prefix lives in the build tree (PREFIX), never in the home
# folder. Wine needs a display to create windows: a run under xvfb-run
# (one X server for the whole ctest run) has one; without a display each
# program gets an X server of its own.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a "$0" "$prefix" "$@"
fi
exec wine "$@"
