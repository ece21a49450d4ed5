#!/usr/bin/env bash
# Whole-text synthesis into a WAV file with `speak`, for 1, 4, 16 and 64
# copies of a benchmark text: wall and CPU time, real-time factor (wall time
# over the length of the speech), peak RSS, the time from the start to the
# first piece of audio (the engine's first word event; it includes the
# 200 ms the engine waits before it opens the device), and the read and
# seek calls. Then the same for espeak-ng on 1 and 64 copies when it is
# installed (its first audio: the first samples on its standard output).
# With --no-ends: a text without sentence ends (one phrase in small letters
# over and over) against as much of the text itself, at 0.5, 1 and 2 MB,
# with the time per byte and the peak memory of each over the text's.
#   engine/bench/speak_bench.sh [--no-ends] TEXT [BUILD_DIR]
# The build needs its data and registry entries (the register-* targets);
# PARLEN_REGISTRY defaults to BUILD_DIR/registry.reg.
set -euo pipefail
no_ends=0
if [ "${1:-}" = --no-ends ]; then no_ends=1; shift; fi
text=${1:?usage: speak_bench.sh [--no-ends] TEXT [BUILD_DIR]}
build=$(cd "${2:-build}" && pwd)
export PARLEN_REGISTRY=${PARLEN_REGISTRY:-$build/registry.reg}
speak=$build/bin/speak
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds of 16-bit mono speech in a WAV file.
wav_seconds() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
rate = struct.unpack_from('<I', data, 24)[0]
at = 12
while at + 8 <= len(data):
    chunk, size = struct.unpack_from('<4sI', data, at)
    if chunk == b'data':
        print('%.2f' % (size / 2 / rate))
        break
    at += 8 + size + (size & 1)
PY
}

# Milliseconds from starting the command until its standard output holds
# more than SKIP bytes, or a line beginning with PREFIX; the command is
# stopped then.
first_output_ms() {
  python3 - "$@" <<'PY'
import subprocess, sys, time
mode, key, cmd = sys.argv[1], sys.argv[2], sys.argv[3:]
start = time.monotonic()
p = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
got, seen = b'', None
while seen is None:
    chunk = p.stdout.read1(65536) if mode == 'bytes' else p.stdout.readline()
    if not chunk:
        break
    if mode == 'bytes':
        got += chunk
        if len(got) > int(key):
            seen = time.monotonic()
    elif chunk.startswith(key.encode()):
        seen = time.monotonic()
p.kill()
p.wait()
print('%.0f' % ((seen - start) * 1000) if seen else '-')
PY
}

copies() {
  local i
  for ((i = 0; i < $2; i++)); do cat "$1"; done
}

# The first BYTES bytes of endless copies of a file, cut after a blank.
first_bytes() {
  python3 - "$1" "$2" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
size = int(sys.argv[2])
out = data * (size // len(data) + 1)
cut = out.rfind(b' ', 0, size)
sys.stdout.buffer.write(out[:cut + 1])
PY
}

if [ "$no_ends" = 1 ]; then
  # Windows-1251 for "мама мыла раму и папа пилил дрова ".
  printf '\xec\xe0\xec\xe0 \xec\xfb\xeb\xe0 \xf0\xe0\xec\xf3 \xe8 \xef\xe0\xef\xe0 \xef\xe8\xeb\xe8\xeb \xe4\xf0\xee\xe2\xe0 ' >"$work/phrase.txt"
  iconv -f utf-8 -t cp1251 "$text" >"$work/prose.txt" 2>/dev/null || cp "$text" "$work/prose.txt"
  printf '%-14s %8s %8s %9s %8s %9s %9s\n' run bytes wall_s peak_kb first_ms s_per_mb peak_ratio
  for size in 524288 1048576 2097152; do
    for kind in prose phrase; do
      input=$work/${kind}_$size.txt
      first_bytes "$work/$kind.txt" "$size" >"$input"
      bytes=$(stat -c %s "$input")
      # The null sink at full speed: 2 MB of prose is more speech than a WAV
      # file holds.
      PARLEN_AUDIO=null PARLEN_AUDIO_FAST=1 \
        /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$speak" "$input" >/dev/null
      read -r wall user sys peak <"$work/time"
      first=$(PARLEN_AUDIO=null PARLEN_AUDIO_FAST=1 first_output_ms line words stdbuf -oL "$speak" -v "$input")
      per_mb=$(awk -v w="$wall" -v b="$bytes" 'BEGIN {printf "%.2f", w / b * 1048576}')
      if [ "$kind" = prose ]; then
        prose_per_mb=$per_mb prose_peak=$peak ratio=1.00
      else
        ratio=$(awk -v p="$peak" -v q="$prose_peak" 'BEGIN {printf "%.2f", p / q}')
        per_mb="$per_mb($(awk -v a="$per_mb" -v b="$prose_per_mb" 'BEGIN {printf "%.2fx", a / b}'))"
      fi
      printf '%-14s %8s %8s %9s %8s %9s %9s\n' \
        "$kind $((size / 1024))K" "$bytes" "$wall" "$peak" "$first" "$per_mb" "$ratio"
    done
  done
  exit 0
fi

printf '%-12s %8s %8s %8s %8s %8s %9s %8s %8s %8s\n' \
  run wall_s user_s sys_s audio_s rtf peak_kb first_ms reads seeks
for times in 1 4 16 64; do
  input=$work/text_$times.txt
  copies "$text" "$times" >"$input"
  out=$work/out_$times.wav
  rm -f "$out"
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$speak" -o "$out" "$input" >/dev/null
  read -r wall user sys peak <"$work/time"
  audio=$(wav_seconds "$out")
  first=$(first_output_ms line words stdbuf -oL "$speak" -v -o "$work/first.wav" "$input")
  reads=- seeks=-
  if command -v strace >/dev/null; then
    rm -f "$out"
    strace -f -c -o "$work/calls" -e trace=read,pread64,readv,lseek \
      "$speak" -o "$out" "$input" >/dev/null
    reads=$(awk '$NF ~ /^(read|pread64|readv)$/ {n += $4} END {print n + 0}' "$work/calls")
    seeks=$(awk '$NF == "lseek" {n += $4} END {print n + 0}' "$work/calls")
  fi
  rtf=$(awk -v w="$wall" -v a="$audio" 'BEGIN {printf "%.4f", (a > 0 ? w / a : 0)}')
  printf '%-12s %8s %8s %8s %8s %8s %9s %8s %8s %8s\n' \
    "speak ${times}x" "$wall" "$user" "$sys" "$audio" "$rtf" "$peak" "$first" "$reads" "$seeks"
done

if command -v espeak-ng >/dev/null; then
  for times in 1 64; do
    input=$work/text_$times.txt
    out=$work/espeak_$times.wav
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" espeak-ng -v ru -w "$out" -f "$input"
    read -r wall user sys peak <"$work/time"
    audio=$(wav_seconds "$out")
    first=$(first_output_ms bytes 44 espeak-ng -v ru --stdout -f "$input")
    rtf=$(awk -v w="$wall" -v a="$audio" 'BEGIN {printf "%.4f", (a > 0 ? w / a : 0)}')
    printf '%-12s %8s %8s %8s %8s %8s %9s %8s %8s %8s\n' \
      "espeak ${times}x" "$wall" "$user" "$sys" "$audio" "$rtf" "$peak" "$first" - -
  done
fi
