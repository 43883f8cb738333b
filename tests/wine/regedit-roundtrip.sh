#!/usr/bin/env bash
# The hive's files against an independent registry editor, Wine's regedit:
# what `export` and `export --unicode` write is imported by `regedit /S` and
# exported again by `regedit /E`, and that export loads into the hive with
# the same keys and values; a file of changed values takes the same way. The
# values hold line breaks, quotes, backslashes, every Windows-1251 byte, 0x1F,
# long texts, repeated and case-variant names; and a 5.00 file holding
# characters Windows-1251 has no byte for takes the same way through
# `export --unicode`.
#
# Wine runs headless (xvfb-run), with its prefix and a ru_RU.UTF-8 locale
# (built here with localedef, so that Wine's ANSI code page is 1251, which a
# REGEDIT4 file is read in) inside WORK; nothing outside WORK is written.
# Exits 77 (skipped) when Wine, xvfb-run or the locale sources are missing.
#
#   regedit-roundtrip.sh TABULON_IDE WORK
set -euo pipefail
ide=$1
work=$2

for tool in wine xvfb-run localedef; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (Debian: wine64, xvfb, locales)"
    exit 77
  fi
done
if [ ! -e /usr/share/i18n/locales/ru_RU ]; then
  echo "skipped: the ru_RU locale source is missing (Debian: locales)"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work/locale"
cd "$work"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null 2>&1 || true
[ -e "$work/locale/ru_RU.UTF-8" ] || {
  echo "localedef could not build ru_RU.UTF-8"
  exit 1
}
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" HOME=$work
winerun() {
  LOCPATH=$work/locale LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 xvfb-run -a wine "$@" </dev/null \
    >/dev/null 2>&1
}

key='HKEY_CURRENT_USER\Software\Tabulon'
# The hive's registry view, one line per value with its key in front, sorted:
# regedit keeps values in an order of its own.
view() {
  "$ide" --hive "$1" -e registry | awk '/^\[/ { key = $0; next } /^$/ { next } { print key " " $0 }' |
    LC_ALL=C sort
}
# Imports FILE into a clean key and exports that key again as OUT.
through_regedit() {
  winerun reg delete "$key" /f || true
  winerun regedit /S "$1"
  rm -f "$2"
  winerun regedit /E "$2" "$key"
  [ -s "$2" ] || {
    echo "regedit exported nothing for $1"
    exit 1
  }
}

# Every Windows-1251 byte from 0x20 (the quote and the backslash escaped),
# and the control bytes but CR and LF.
all=$(for b in $(seq 32 255); do
  case $b in 34 | 92) printf '\\\\\\x%02x' "$b" ;; *) printf '\\x%02x' "$b" ;; esac
done)
ctl=$(for b in $(seq 1 31); do
  case $b in 10 | 13) ;; *) printf '\\x%02x' "$b" ;; esac
done)
long=$(head -c 5000 /dev/zero | tr '\0' 'x')
{
  printf 'REGEDIT4\r\n\r\n[%s\\Pages]\r\n' "$key"
  printf '"\xc4\xe0\xed\xed\xfb\xe5"="ADO\x1f\x1fData Access\x1f\x1f"\r\n'
  printf '"quotes"="say \\"hi\\" C:\\\\dir\\\\"\r\n'
  printf '"bytes"="%b"\r\n' "$all"
  printf '"controls"="%b"\r\n' "$ctl"
  printf '"long"="%s"\r\n' "$long"
  printf '"Twice"="first"\r\n"TWICE"="second"\r\n'
  printf '\r\n[%s\\Timer]\r\n"PagesSort"="\xc4\xe0\xed\xed\xfb\xe5\x1f\x1f"\r\n' "$key"
  # A string holding CR and LF, as a store's save writes it.
  printf '"lines"=hex(1):61,0d,0a,62,0a,63,0d,00\r\n\r\n'
} >hive.reg
"$ide" --hive hive.reg -e "export four.reg" -e "export --unicode five.reg"

status=0
check() {
  if ! diff <(view "$1") <(view "$2") >"$2.diff"; then
    echo "FAILED: $3"
    cat "$2.diff"
    status=1
  else
    echo "ok: $3"
  fi
}
through_regedit four.reg back4.reg
check hive.reg back4.reg "export (REGEDIT4, Windows-1251) through regedit"
through_regedit five.reg back5.reg
check hive.reg back5.reg "export --unicode (5.00) through regedit"

# A changed set: regedit imports a change (a value added in Cyrillic, one
# deleted) and exports the key; the store loads that export with the same
# values as its own file with the same change.
{
  printf 'REGEDIT4\r\n\r\n[%s\\Pages]\r\n' "$key"
  printf '"\xce\xf1\xed\xee\xe2\xed\xfb\xe5"="Standard\x1f\x1f"\r\n"quotes"=-\r\n\r\n'
} >change.reg
winerun regedit /S change.reg
rm -f changed.reg
winerun regedit /E changed.reg "$key"
{
  cat four.reg
  tail -c +11 change.reg
} >expected-changed.reg
check expected-changed.reg changed.reg "regedit's export of a changed set loads with the same values"
# Characters Windows-1251 has no byte for (the rouble sign, CJK, an emoji as
# a surrogate pair) in names, text and hex string data of a 5.00 file.
{
  printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[%s\\Wide\\₽]\r\n' "$key" |
    iconv -f UTF-8 -t UTF-16LE
  printf '"sCurrency"="₽"\r\n"s中"="a😀\\r\\nb"\r\n"x"=hex(2):bd,20,3d,d8,00,de,00,00\r\n\r\n' |
    iconv -f UTF-8 -t UTF-16LE
} >wide.reg
"$ide" --hive wide.reg -e "export --unicode wide5.reg"
through_regedit wide5.reg backwide.reg
check wide.reg backwide.reg "characters outside Windows-1251 through export --unicode and regedit"
# Files written by hand, read as regedit reads them: names that differ only
# in case in any script are one name (and "σ"=- deletes "Σ"), while the
# micro sign and Μ, ǅ and ǆ, σ and ς stay apart; a key line's trailing text
# is ignored; a # line drops the hex value it interrupts and a ; line does
# not; \₽ reads as ₽. regedit's import of each loads with the same values as
# the file itself.
five() {
  printf '\xff\xfe'
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; cat; } | sed 's/$/\r/' |
    iconv -f UTF-8 -t UTF-16LE
}
five >case.reg <<EOF
[$key\\Case\\Ω]
"Σ"="1"
"σ"="2"
"µ"="micro"
"Μ"="mu"
"ǅ"="1"
"ǆ"="2"
"Д"="3"
[$key\\Case\\ω]
"ς"="final"
"x"="1"
"X"=-
"д"=-
EOF
through_regedit case.reg backcase.reg
check case.reg backcase.reg "names compared as Windows compares them, through regedit"
five >reading.reg <<EOF
[$key\\Reading] trailing text
"v"="1"
"h"=hex:01,02,\\
# a hash line
  03,04
"g"=hex:05,\\
; a semicolon line

  06
"w"="\\₽"
EOF
through_regedit reading.reg backreading.reg
check reading.reg backreading.reg "key lines, # and ; in hex values and \\₽ as regedit reads them"
exit $status
