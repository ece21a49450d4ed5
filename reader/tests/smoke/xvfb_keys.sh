#!/usr/bin/env bash
# parlen as installed, on a virtual X display of 800x600: with the first
# settings file the installation writes, Right, Page Down and Space turn the
# page forward and Page Up turns it back. The page is read from the document's
# ".trc" file, which every turn writes. Then F6, bound to "System pause",
# pauses speech while a window of another program has the keyboard.
#   xvfb_keys.sh <parlen> <x_key> <reg_write> <installed registry> <first_settings.cmake>
# Exit 77 (skipped) without Xvfb or xwininfo, a failure in CI.
set -euo pipefail
parlen=$1 x_key=$2 reg_write=$3 installed=$4 first_settings=$5
with_xvfb=$(dirname "$0")/../../../scripts/with-xvfb
. "$(dirname "$0")/installed_reader.sh"
require_tools Xvfb xwininfo
private_install "$reg_write" "$installed"
cmake -DSETTINGS="$work/parlen.cfg" -P "$first_settings"
if ! grep -qi '^\[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Voices\\' "$PARLEN_REGISTRY"; then
  # Speech on without a voice stops at a message box.
  echo "note: no voice installed; speech is turned off for this run"
  sed -i 's/^UseTTS=1$/UseTTS=0/' "$work/parlen.cfg"
fi
# F6 as a "System" button: it keeps working behind other programs.
sed -i 's/,Pause,Stop,/,System pause,Stop,/' "$work/parlen.cfg"
grep -q ',System pause,Stop,' "$work/parlen.cfg" || { echo "FAILED: no F6 binding to change"; exit 1; }

document=$work/river.txt
for i in $(seq 1 80); do
  printf 'Мы долго шли по берегу реки, и солнце светило нам в спину. Вечером мы развели костёр.\r\n'
done | iconv -f UTF-8 -t CP1251 >"$document"

"$with_xvfb" -s "-screen 0 800x600x24" bash -s "$parlen" "$x_key" "$document" "$work" <<'SESSION'
set -euo pipefail
parlen=$1 x_key=$2 document=$3 work=$4
# Written at the pace of the sound: its length is how long speech went on.
export PARLEN_AUDIO=file:$work/speech.wav
"$parlen" "$document" >"$work/parlen.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
title=$(basename "$document")
for i in $(seq 1 150); do
  xwininfo -name "$title" >/dev/null 2>&1 && break
  sleep 0.1
done
xwininfo -name "$title" >/dev/null 2>&1 || { echo "FAILED: no window \"$title\""; cat "$work/parlen.log"; exit 1; }

page() { sed -n 's/^Page=//p' "$document.trc" 2>/dev/null || true; }
# Presses the key and waits for the page to change from what it was.
press() {
  local before after
  before=$(page)
  "$x_key" "$title" "$1"
  for i in $(seq 1 50); do
    after=$(page)
    [ -n "$after" ] && [ "$after" != "$before" ] && break
    sleep 0.1
  done
  echo "$1: page start $before -> $after"
  last=$after
}

[ "$(page)" = 0 ] || { echo "FAILED: the document did not open at its start ($(page))"; cat "$work/parlen.log"; exit 1; }
press Right
[ "$last" -gt 0 ] || { echo "FAILED: Right did not turn the page"; exit 1; }
second=$last
press Next
[ "$last" -gt "$second" ] || { echo "FAILED: Page Down did not turn the page"; exit 1; }
third=$last
# Back: the page before is built backwards, so it need not start where the
# forward turn did.
press Prior
[ "$last" -lt "$third" ] || { echo "FAILED: Page Up did not turn the page back"; exit 1; }
fourth=$last
press space
[ "$last" -gt "$fourth" ] || { echo "FAILED: Space did not turn the page"; exit 1; }
echo "the installed keys turn the pages"

grep -qx 'UseTTS=1' "$work/parlen.cfg" || exit 0
# Speech for 2 s, then paused from behind another window for 5 s, then
# stopped (the sound device closes and the file gets its last samples).
start=$(date +%s%N)
"$x_key" "$title" Return
sleep 2
"$x_key" --own-window F6
paused=$(date +%s%N)
sleep 5
stop=$(date +%s%N)
"$x_key" "$title" F7
size=0
for i in $(seq 1 20); do
  sleep 0.5
  now=$(stat -c %s "$work/speech.wav" 2>/dev/null || echo 0)
  [ "$now" -gt 44 ] && [ "$now" = "$size" ] && break
  size=$now
done
byte_rate=$(od -An -tu4 -j28 -N4 "$work/speech.wav" | tr -d ' ')
spoken_ms=$(( (size - 44) * 1000 / byte_rate ))
elapsed_ms=$(( (stop - start) / 1000000 ))
echo "spoken ${spoken_ms} ms of ${elapsed_ms} ms (paused after $(( (paused - start) / 1000000 )) ms)"
[ "$spoken_ms" -gt 500 ] || { echo "FAILED: Return did not start speech"; cat "$work/parlen.log"; exit 1; }
# The device holds about a second of sound ahead; half the pause stays silent.
[ "$spoken_ms" -lt $((elapsed_ms - 2500)) ] ||
  { echo "FAILED: \"System pause\" did not pause speech while another window had the keyboard"; exit 1; }
echo "a \"System pause\" button pauses speech behind another program"
SESSION
