#!/bin/bash
# parlen --headless with the files and limits of a real machine, on a
# registry, cache and temporary folder of its own: a named pipe is refused
# at once, and never replaced by a picture or a converted copy; a name
# beginning with "-" follows "--"; a file-size limit stops a conversion with
# a message and leaves no temporary behind.
# Arguments: parlen
set -u
parlen=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export PARLEN_REGISTRY=$work/registry.reg XDG_CACHE_HOME=$work/cache TMPDIR=$work/tmp
# Standard error is compared whole: a sanitizer build keeps its leak
# suppressions to itself.
export LSAN_OPTIONS=${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0
mkdir "$work/tmp"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Reading a pipe would wait for a writer for good: the guard stops a hang.
mkfifo "$work/pipe"
timeout 60 "$parlen" --headless "$work/pipe" 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "pipe: exit status $status"
printf 'parlen: Parlen 2: ERROR: can'"'"'t open file!\n%s\nIt is not a regular file (a pipe, a device or a socket).\n' \
  "$work/pipe" | cmp -s - "$work/err" || { fail "pipe: not told"; cat "$work/err"; }

# Nothing written by rename takes the place of a pipe: neither the picture
# nor the converted copy of a document.
timeout 60 "$parlen" --headless --frame "$work/pipe" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "frame over a pipe: exit status $status"
echo "parlen: cannot write $work/pipe: it is not a regular file" |
  cmp -s - "$work/err" || { fail "frame over a pipe: not told"; cat "$work/err"; }
printf '{\\rtf1 Text.}' >"$work/small.rtf"
mkfifo "$work/small.rtf.auto"
timeout 60 "$parlen" --headless "$work/small.rtf" 2>"$work/err"
echo "parlen: Parlen 2: Stopped: $work/small.rtf.auto cannot be written (it is not a regular file). Nothing was kept." |
  cmp -s - "$work/err" || { fail "converted copy over a pipe: not told"; cat "$work/err"; }
[ -p "$work/pipe" ] && [ -p "$work/small.rtf.auto" ] || fail "a pipe was replaced"

printf 'Text.' >"$work/--help"
(cd "$work" && "$parlen" --headless --frame dash.png -- --help) >"$work/out" 2>"$work/err"
[ -s "$work/dash.png" ] && [ ! -s "$work/out" ] && [ ! -s "$work/err" ] ||
  { fail "parlen -- --help did not open the file"; cat "$work/out" "$work/err"; }

# A TCR book whose 20000 body bytes each stand for 255 bytes: 5 MB of text,
# more than the 500 KiB the limit lets a file grow to.
python3 - "$work/big.tcr" <<'PY'
import sys
tcr = b"!!8-Bit!!" + b"".join(bytes([255]) + bytes([97 + b % 26]) * 255 for b in range(256))
open(sys.argv[1], "wb").write(tcr + b"A" * 20000)
PY
(ulimit -f 500; exec "$parlen" --headless "$work/big.tcr") 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "file-size limit: exit status $status"
echo "parlen: Parlen 2: Stopped: $work/big.tcr.auto cannot be written (File too large). Nothing was kept." |
  cmp -s - "$work/err" || { fail "file-size limit: not told"; cat "$work/err"; }
leftover=$(cd "$work" && echo big.tcr.auto*)
[ "$leftover" = "big.tcr.auto*" ] || fail "file-size limit: left $leftover"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "parlen: pipes, dashes and file-size limits as expected"
