#!/usr/bin/env bash
# parlen on a virtual X display: opens a document, turns a page with the
# right key, reads aloud into a WAV file with the return key, and checks the
# screen after each step (the page area is not blank and it changed).
#   xvfb_smoke.sh <parlen> <x_key> <reg_write> <installed registry>
# The screen is read from the file Xvfb keeps its frame buffer in (-fbdir,
# an X window dump). Exit 77 (skipped) without Xvfb or xwininfo, a failure
# in CI.
set -euo pipefail
parlen=$1 x_key=$2 reg_write=$3 installed=$4
area_tool=$(dirname "$0")/xwd_area.py
with_xvfb=$(dirname "$0")/../../../scripts/with-xvfb
. "$(dirname "$0")/installed_reader.sh"
require_tools Xvfb xwininfo xprop python3
private_install "$reg_write" "$installed"

# Right: "Next page"; Return: "Speak/pause" (hot-key ids 9 and 10).
buttons="0,0,0,0,0,0,0,0,0,Next page,Speak/pause,0,0,0,0,0,0,0,0,0,0,"
speech=0
if grep -qi '^\[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Voices\\Nikolay\]' "$PARLEN_REGISTRY"; then
  speech=1
else
  echo "note: the voice Nikolay is not installed; reading is not checked"
fi
# No clock in the status pane: only the page may change the screen.
printf 'UseTTS=%s\nVoice=Nikolay\nCodePage=Win\nStatusParams=11010\nButtons=%s\n' "$speech" "$buttons" >"$work/parlen.cfg"

document=$work/river.txt
for i in $(seq 1 60); do
  printf 'Мы долго шли по берегу реки, и солнце светило нам в спину. Вечером мы развели костёр.\r\n'
done | iconv -f UTF-8 -t CP1251 >"$document"

export PARLEN_AUDIO=file:$work/reading.wav PARLEN_AUDIO_FAST=1
"$with_xvfb" -s "-screen 0 800x800x24 -fbdir $work" bash -s "$parlen" "$x_key" "$document" "$work" "$speech" \
  "$area_tool" <<'SESSION'
set -euo pipefail
parlen=$1 x_key=$2 document=$3 work=$4 speech=$5 area_tool=$6
"$parlen" "$document" >"$work/parlen.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
title=$(basename "$document")
for i in $(seq 1 100); do
  xwininfo -name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
if ! xwininfo -name "$title" >"$work/window.txt" 2>&1; then
  echo "FAILED: no window \"$title\""; cat "$work/parlen.log"; exit 1
fi
# The program's icon on the window, for the desktop to show.
if ! xprop -name "$title" _NET_WM_ICON | grep -Eq 'Icon \(32 x 32\)|= 32, 32,'; then
  echo "FAILED: the window carries no 32 x 32 icon"; exit 1
fi
value() { sed -n "s/^ *$1: *//p" "$work/window.txt" | head -1; }
area="$(value 'Absolute upper-left X') $(value 'Absolute upper-left Y') $(value Width) $(value Height)"

shot() {  # mean lightness and digest of the window's area of the screen
  cp "$work/Xvfb_screen0" "$work/$1.xwd"
  python3 "$area_tool" "$work/$1.xwd" $area >"$work/$1.txt"
}
has_text() {  # some dark pixels, mostly light ones
  awk -v m="$(cut -d' ' -f1 "$work/$1.txt")" 'BEGIN { exit !(m > 0.5 && m < 0.995) }'
}
differs() { [ "$(cut -d' ' -f2 "$work/$1.txt")" != "$(cut -d' ' -f2 "$work/$2.txt")" ]; }
# A loaded machine draws late: the screen is read again until it shows what
# is awaited, for at most 30 s.
shot_until() {  # name, then the test the shot must pass
  local name=$1; shift
  for i in $(seq 1 150); do
    shot "$name"
    "$@" && return 0
    sleep 0.2
  done
  return 1
}
check_text() {
  if ! has_text "$1"; then
    echo "FAILED: $1: the page area looks blank (mean lightness $(cut -d' ' -f1 "$work/$1.txt"))"; exit 1
  fi
}
changed() {  # the page of $2 shows, changed from $1
  if ! shot_until "$2" differs "$2" "$1"; then
    echo "FAILED: $2 shows the same page as $1"; exit 1
  fi
  check_text "$2"
}

shot_until first has_text first || true
check_text first
"$x_key" "$title" Right
changed first second
echo "page turned by the right key"

if [ "$speech" = 1 ]; then
  "$x_key" "$title" Return
  for i in $(seq 1 100); do
    [ -s "$work/reading.wav" ] && [ "$(stat -c %s "$work/reading.wav")" -gt 1000 ] && break
    sleep 0.2
  done
  changed second reading
  echo "read aloud into $(stat -c %s "$work/reading.wav") bytes of WAV; the page turned"
fi
SESSION
