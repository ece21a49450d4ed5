#!/usr/bin/env bash
# reg_write_test.sh REG_WRITE: writes entries of two keys into a registry file
# of its own and checks the file, the kept counter and the refusals.
set -u
reg_write=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export PARLEN_REGISTRY=$dir/registry.reg
fail() { echo "FAIL: $*"; exit 1; }
has() { grep -qxF "$1" "$PARLEN_REGISTRY" || fail "no line $1 in: $(cat "$PARLEN_REGISTRY")"; }

"$reg_write" 'Software\Test\One' 'Path=/data/голос.dat' 'Lang=419' \
             'Software\Test\Two Words' 'Counter?=0' 'Big?=0x10' > "$dir/out" 2>&1 ||
  fail "writing: $(cat "$dir/out")"
has '[HKEY_LOCAL_MACHINE\Software\Test\One]'
has '"Path"="/data/голос.dat"'
has '"Lang"="419"'
has '[HKEY_LOCAL_MACHINE\Software\Test\Two Words]'
has '"Counter"=dword:00000000'
has '"Big"=dword:00000010'

# A string in a counter's place is replaced; a counter already kept is left
# as it is.
"$reg_write" 'Software\Test\Two Words' 'Counter=text' > /dev/null 2>&1 || fail "writing a string"
"$reg_write" 'Software\Test\Two Words' 'Counter?=0' > /dev/null 2>&1 || fail "rewriting"
has '"Counter"=dword:00000000'
"$reg_write" 'Software\Test\Two Words' 'Counter?=7' 'Big?=1' > /dev/null 2>&1 || fail "keeping"
has '"Counter"=dword:00000000'
has '"Big"=dword:00000010'

# Malformed arguments write nothing at all.
cp "$PARLEN_REGISTRY" "$dir/before"
for args in "Software\\Test\\Three" "Software\\Test\\Three =x" "Software\\Test\\Three A=1 B?=-1" \
            "Software\\Test\\Three A=1 B?=4294967296" "Software\\Test\\Three A=1 B?=" \
            "Name=1 A=2" "Software\\Test\\Three A=1 Software\\Test\\Four"; do
  read -r -a argv <<< "$args"
  "$reg_write" "${argv[@]}" > /dev/null 2>&1
  status=$?
  [ "$status" -eq 2 ] || fail "exit status $status for: $args"
done
cmp -s "$PARLEN_REGISTRY" "$dir/before" || fail "a refused call changed the registry"
echo "reg_write: all checks passed"
