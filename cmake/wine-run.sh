#!/bin/bash
# Runs a Windows program of the cross build under Wine: ctest's emulator,
# and the README's command.
#   wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# The Wine prefix lives in the build tree (PREFIX), never in the home
# folder; the first run makes it, quietly (Wine tells each step of making
# one, and a Wine without its 32-bit half that it has no 32-bit rundll32).
# Wine needs a display to create windows: a run under xvfb-run (one X
# server for the whole ctest run) has one. Without a display the program
# gets an X server of its own, in a session of its own, so that a Ctrl-C
# typed to the program does not end the X server too (xvfb-run's would
# end); it stays until every Wine process of the prefix has ended, since
# one that loses its X server says so.
#
# Wine takes its ANSI code page from the locale's character type: the
# add-in's text is Windows-1251 (Cyrillic group names in captions, in the
# registry, in case-insensitive comparisons), so the programs run with a
# Russian one (code page 1251) and English messages. Both locales are built
# with localedef beside the prefix (LOCPATH), not installed on the system;
# without the locale sources (Debian: locales) Wine keeps the system's.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
locales=$prefix.locales
if [ ! -d "$locales" ] && command -v localedef >/dev/null && [ -e /usr/share/i18n/locales/ru_RU ]; then
  made=$(mktemp -d "$prefix.locales.XXXXXX")
  localedef -i ru_RU -f UTF-8 "$made/ru_RU.UTF-8" >/dev/null 2>&1 || true
  localedef -i en_US -f UTF-8 "$made/en_US.UTF-8" >/dev/null 2>&1 || true
  # Another run may have made them meanwhile: the first to finish stays.
  mv -T "$made" "$locales" 2>/dev/null || rm -rf "$made"
fi
# Set for Wine alone: this shell would look for them on the system.
locale_env=(env)
if [ -e "$locales/ru_RU.UTF-8" ] && [ -e "$locales/en_US.UTF-8" ]; then
  locale_env=(env -u LC_ALL "LOCPATH=$locales" LC_CTYPE=ru_RU.UTF-8 LC_MESSAGES=en_US.UTF-8)
fi
xvfb=
if [ -z "${DISPLAY:-}" ]; then
  work=$(mktemp -d)
  trap 'if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi; rm -rf "$work"' EXIT
  setsid Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" \
    >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "wine-run.sh: Xvfb did not start (install xvfb)" >&2
    exit 1
  fi
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
fi
if [ ! -d "$prefix" ]; then
  "${locale_env[@]}" wineboot --init >/dev/null 2>&1
fi
if [ -z "$xvfb" ]; then
  exec "${locale_env[@]}" wine "$@"
fi
status=0
"${locale_env[@]}" wine "$@" || status=$?
wineserver -w
exit "$status"
