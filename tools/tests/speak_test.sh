#!/bin/bash
# speak into WAV files, over a private copy of a registry with the voice:
# a NUL reads as a blank; SIGTERM leaves a complete file of what was spoken;
# a file that takes no more is reported with a non-zero exit status.
# Arguments: speak registry
set -u
speak=$1 registry=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PARLEN_REGISTRY=$work/registry.reg
cp "$registry" "$PARLEN_REGISTRY"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

u32() { od -An -t u4 -j "$2" -N 4 "$1" | tr -d ' '; }
# The header counts exactly the samples the file holds.
header_true() {
  local size data
  size=$(stat -c %s "$1") data=$(u32 "$1" 40)
  [ "$data" -gt 0 ] && [ $((44 + data + data % 2)) -eq "$size" ] &&
    [ "$(u32 "$1" 4)" -eq $((size - 8)) ]
}

# In Windows-1251, which is read as it is.
printf 'Мама мыла раму.\0Папа читал книгу.' | iconv -f UTF-8 -t CP1251 >"$work/nul.txt"
printf 'Мама мыла раму. Папа читал книгу.' | iconv -f UTF-8 -t CP1251 >"$work/blank.txt"
if ! PARLEN_AUDIO_FAST=1 "$speak" -o "$work/blank.wav" "$work/blank.txt" 2>"$work/err"; then
  if grep -q 'no voice' "$work/err"; then echo "SKIPPED: no voice"; exit 77; fi
  fail "speak of a plain text"; cat "$work/err"
fi
PARLEN_AUDIO_FAST=1 "$speak" -o "$work/nul.wav" "$work/nul.txt" || fail "speak of a text with a NUL"
cmp -s "$work/nul.wav" "$work/blank.wav" || fail "a NUL does not read as a blank"

for i in $(seq 30); do printf 'Съешь же ещё этих мягких французских булок, да выпей чаю. '; done \
  >"$work/long.txt"
PARLEN_AUDIO_FAST=1 "$speak" -o "$work/whole.wav" "$work/long.txt" || fail "speak of the long text"
# At the pace of the sound, so that the signal comes mid-speech: once the
# first words are heard.
"$speak" -v -o "$work/stopped.wav" "$work/long.txt" >"$work/events" 2>"$work/err" &
pid=$!
for i in $(seq 600); do grep -q '^words ' "$work/events" && break; sleep 0.1; done
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 143 ] || fail "SIGTERM: exit status $status, not 143"
grep -qx 'speak: stopped by signal 15' "$work/err" || fail "SIGTERM: no word of the stop"
header_true "$work/stopped.wav" || fail "SIGTERM: the header does not count the samples"
[ "$(u32 "$work/stopped.wav" 40)" -lt "$(u32 "$work/whole.wav" 40)" ] || fail "SIGTERM: the speech went on"

# The file may not grow past 64 KiB: writing fails with EFBIG, not SIGXFSZ.
(trap '' XFSZ; ulimit -f 64
 PARLEN_AUDIO_FAST=1 exec "$speak" -o "$work/full.wav" "$work/long.txt") 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "full file: exit status $status, not 1"
grep -qx "speak: cannot write the WAV file $work/full.wav: File too large; the speech after that point is missing" \
  "$work/err" || { fail "full file: not reported"; cat "$work/err"; }
header_true "$work/full.wav" || fail "full file: the header does not count the samples"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "speak: all WAV files as expected"
