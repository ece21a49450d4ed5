#!/usr/bin/env bash
# parlen as installed, on a virtual X display of 800x600: with the first
# settings file the installation writes, Right, Page Down and Space turn the
# page forward and Page Up turns it back. The page is read from the document's
# ".trc" file, which every turn writes.
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

document=$work/river.txt
for i in $(seq 1 80); do
  printf 'Мы долго шли по берегу реки, и солнце светило нам в спину. Вечером мы развели костёр.\r\n'
done | iconv -f UTF-8 -t CP1251 >"$document"

"$with_xvfb" -s "-screen 0 800x600x24" bash -s "$parlen" "$x_key" "$document" "$work" <<'SESSION'
set -euo pipefail
parlen=$1 x_key=$2 document=$3 work=$4
export PARLEN_AUDIO=null
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
SESSION
