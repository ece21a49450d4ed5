#!/usr/bin/env bash
# Whole-text synthesis into a WAV file with `speak`, for 1x, 4x and 16x a
# benchmark text: wall and CPU time, real-time factor (wall time over the
# length of the speech), peak RSS and the read and seek calls; then the wall
# time of espeak-ng on the 1x text when it is installed, for comparison.
#   engine/bench/speak_bench.sh TEXT [BUILD_DIR]
# The build needs its data and registry entries (the register-* targets);
# PARLEN_REGISTRY defaults to BUILD_DIR/registry.reg.
set -euo pipefail
text=${1:?usage: speak_bench.sh TEXT [BUILD_DIR]}
build=$(cd "${2:-build}" && pwd)
export PARLEN_REGISTRY=${PARLEN_REGISTRY:-$build/registry.reg}
# The file sink takes no playing time.
export PARLEN_AUDIO_FAST=1
speak=$build/bin/speak
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds of 16-bit mono speech in a WAV file.
wav_seconds() {
  python3 - "$1" <<'EOF'
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
EOF
}

printf '%-6s %8s %8s %8s %8s %8s %9s %8s %8s\n' \
  times wall_s user_s sys_s audio_s rtf peak_kb reads seeks
for times in 1 4 16; do
  input=$work/text_$times.txt
  for ((i = 0; i < times; i++)); do cat "$text"; done >"$input"
  out=$work/out_$times.wav
  rm -f "$out"
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$speak" -o "$out" "$input" >/dev/null
  read -r wall user sys peak <"$work/time"
  audio=$(wav_seconds "$out")
  reads=- seeks=-
  if command -v strace >/dev/null; then
    rm -f "$out"
    strace -f -c -o "$work/calls" -e trace=read,pread64,readv,lseek \
      "$speak" -o "$out" "$input" >/dev/null
    reads=$(awk '$NF ~ /^(read|pread64|readv)$/ {n += $4} END {print n + 0}' "$work/calls")
    seeks=$(awk '$NF == "lseek" {n += $4} END {print n + 0}' "$work/calls")
  fi
  rtf=$(awk -v w="$wall" -v a="$audio" 'BEGIN {printf "%.4f", (a > 0 ? w / a : 0)}')
  printf '%-6s %8s %8s %8s %8s %8s %9s %8s %8s\n' \
    "${times}x" "$wall" "$user" "$sys" "$audio" "$rtf" "$peak" "$reads" "$seeks"
  if [ "$times" = 1 ]; then speak_wall=$wall; fi
done

if command -v espeak-ng >/dev/null; then
  /usr/bin/time -f '%e' -o "$work/time" espeak-ng -v ru -w "$work/espeak.wav" -f "$text"
  espeak_wall=$(cat "$work/time")
  awk -v s="$speak_wall" -v e="$espeak_wall" \
    'BEGIN {printf "espeak-ng 1x wall %s s; speak/espeak-ng %.3f\n", e, (e > 0 ? s / e : 0)}'
fi
