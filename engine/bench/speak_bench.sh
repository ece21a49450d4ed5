#!/usr/bin/env bash
# Whole-text synthesis into a WAV file with `speak`, for 1, 4, 16 and 64
# copies of a benchmark text: wall and CPU time, real-time factor (wall time
# over the length of the speech), peak RSS, the time from the start to the
# first piece of audio (the engine's first word event; it includes the
# 200 ms the engine waits before it opens the device), and the read and
# seek calls. Then the same for espeak-ng on 1 and 64 copies when it is
# installed (its first audio: the first samples on its standard output).
#   engine/bench/speak_bench.sh TEXT [BUILD_DIR]
# The build needs its data and registry entries (the register-* targets);
# PARLEN_REGISTRY defaults to BUILD_DIR/registry.reg.
set -euo pipefail
text=${1:?usage: speak_bench.sh TEXT [BUILD_DIR]}
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
