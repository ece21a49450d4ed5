#!/bin/bash
# speak into WAV files, over a private copy of a registry with the voice:
# a NUL reads as a blank; SIGTERM leaves a complete file of what was spoken,
# cutting the piece in the device short, and a header even when it comes
# before the speech; a file that takes no more (a file-size limit) is
# reported with a non-zero exit status.
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
  [ "$data" -ge "${2:-1}" ] && [ $((44 + data + data % 2)) -eq "$size" ] &&
    [ "$(u32 "$1" 4)" -eq $((size - 8)) ]
}

# In Windows-1251, which is read as it is.
printf 'Мама мыла раму.\0Папа читал книгу.' | iconv -f UTF-8 -t CP1251 >"$work/nul.txt"
printf 'Мама мыла раму. Папа читал книгу.' | iconv -f UTF-8 -t CP1251 >"$work/blank.txt"
if ! "$speak" -o "$work/blank.wav" "$work/blank.txt" 2>"$work/err"; then
  if grep -q 'no voice' "$work/err"; then echo "SKIPPED: no voice"; exit 77; fi
  fail "speak of a plain text"; cat "$work/err"
fi
"$speak" -o "$work/nul.wav" "$work/nul.txt" || fail "speak of a text with a NUL"
cmp -s "$work/nul.wav" "$work/blank.wav" || fail "a NUL does not read as a blank"

for i in $(seq 30); do printf 'Съешь же ещё этих мягких французских булок, да выпей чаю. '; done \
  >"$work/long.txt"
# A file beginning with "-" is named after "--".
cp "$work/blank.txt" "$work/-x.txt"
(cd "$work" && "$speak" -o dash.wav -- -x.txt) || fail "speak -- -x.txt"
cmp -s "$work/dash.wav" "$work/blank.wav" || fail "speak -- -x.txt did not speak the file"

"$speak" -o "$work/whole.wav" "$work/long.txt" || fail "speak of the long text"
# At the pace of the sound, so that the signal comes mid-speech: once the
# first words are heard.
stop_speaking() {
  "$speak" --real-time -v -o "$work/stopped.wav" "$@" >"$work/events" 2>"$work/err" &
  pid=$!
  for i in $(seq 600); do grep -q '^words ' "$work/events" && break; sleep 0.1; done
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  [ "$status" -eq 143 ] || fail "SIGTERM: exit status $status, not 143"
  grep -qx 'speak: stopped by signal 15' "$work/err" || fail "SIGTERM: no word of the stop"
  header_true "$work/stopped.wav" || fail "SIGTERM: the header does not count the samples"
}
stop_speaking "$work/long.txt"
[ "$(u32 "$work/stopped.wav" 40)" -lt "$(u32 "$work/whole.wav" 40)" ] || fail "SIGTERM: the speech went on"
# At the slowest rate one piece of a sentence without a pause plays for
# many seconds: the signal cuts it short rather than wait for its end.
printf 'Съешь же ещё этих мягких французских булок да выпей чаю и ещё раз съешь этих булок' |
  iconv -f UTF-8 -t CP1251 >"$work/phrase.txt"
"$speak" -r -10 -o "$work/phrase.wav" "$work/phrase.txt" || fail "speak of the phrase"
stop_speaking -r -10 "$work/phrase.txt"
[ "$(u32 "$work/stopped.wav" 40)" -lt $(($(u32 "$work/phrase.wav" 40) / 2)) ] ||
  fail "SIGTERM at the slowest rate: the piece in the device played to its end"
# Before the speech begins (the text is still being read): a header alone.
mkfifo "$work/slow-input"
"$speak" -o "$work/early.wav" <"$work/slow-input" 2>"$work/err" &
pid=$!
exec 3>"$work/slow-input"
# Once its handler of SIGTERM is in place.
for i in $(seq 600); do
  caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status")
  (( (16#$caught >> 14) & 1 )) && break
  sleep 0.1
done
kill -TERM "$pid"
wait "$pid"
status=$?
exec 3>&-
[ "$status" -eq 143 ] || fail "early SIGTERM: exit status $status, not 143"
header_true "$work/early.wav" 0 && [ "$(stat -c %s "$work/early.wav")" -eq 44 ] ||
  fail "early SIGTERM: not a WAV file with a header alone"

# The file may not grow past 64 KiB: writing fails with EFBIG, not SIGXFSZ.
(ulimit -f 64
 exec "$speak" -o "$work/full.wav" "$work/long.txt") 2>"$work/err"
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
