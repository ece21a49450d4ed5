#!/usr/bin/env bash
# typelib_registration_test.sh REGSVR RUNEMAP GLOSSEL TONVAR SONALIK ORVOX:
# registers the five servers into a registry file of their own and checks
# the type-library entries written there, and that unregistering removes
# them.
set -u
regsvr=$1 runemap=$2 glossel=$3 tonvar=$4 sonalik=$5 orvox=$6
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export PARLEN_REGISTRY=$dir/registry.reg
fail() { echo "FAIL: $*"; exit 1; }
# Where the registry file keeps HKEY_CLASSES_ROOT.
classes='HKEY_LOCAL_MACHINE\SOFTWARE\Classes'

# The lines of one key, from its header up to the next blank line.
key() {
  HEADER="[$classes\\$1]" awk '$0 == ENVIRON["HEADER"] {on = 1} on && $0 == "" {exit} on' "$PARLEN_REGISTRY"
}
expect_key() {
  local got
  got=$(key "$1")
  [ "$got" = "$2" ] || fail "key $1:
--- expected
$2
--- got
$got"
}
# key_is KEY DEFAULT: a key whose only value is its default one.
key_is() { expect_key "$1" "[$classes\\$1]
@=\"$2\""; }

# typelib LIBID HELP MODULE: the library's keys.
typelib() {
  local path version
  path=$(realpath "$3")
  version="TypeLib\\{$1}\\1.0"
  key_is "$version" "$2"
  key_is "$version\\0\\win32" "$path"
  key_is "$version\\FLAGS" "0"
  key_is "$version\\HELPDIR" "$(dirname "$path")"
}

"$regsvr" "$runemap" "$glossel" "$tonvar" "$sonalik" "$orvox" > "$dir/out" 2>&1 ||
  fail "registering: $(cat "$dir/out")"

typelib 3B1F9A52-D58A-40DE-85E0-D6CFA20E9B88 "Runemap 1.0 Type Library" "$runemap"
key_is 'CLSID\{AAC0577E-969B-4545-BB63-054568E4C600}\TypeLib' "{3B1F9A52-D58A-40DE-85E0-D6CFA20E9B88}"
key_is 'CLSID\{E777CA29-4DF7-4B60-8981-3587810B7099}\TypeLib' "{3B1F9A52-D58A-40DE-85E0-D6CFA20E9B88}"

typelib E6E05256-8D91-48A2-9CF5-46452F6F8400 "GlosselModule 1.0 Type Library" "$glossel"
key_is 'CLSID\{4DD57616-8871-43E7-9BBC-409CB0A6E00C}\TypeLib' "{E6E05256-8D91-48A2-9CF5-46452F6F8400}"

typelib C7D5C338-4574-49A5-8B03-C2D5D2F66FC7 "Phonetic 1.0 Type Library" "$tonvar"
key_is 'CLSID\{6ABBDB83-E5E1-48AC-B492-47F300D8C54A}\TypeLib' "{C7D5C338-4574-49A5-8B03-C2D5D2F66FC7}"

typelib 08FE6A97-9B16-4210-B852-EBB864F0039D "Morvane Sonalik 1.0 Type Library" "$sonalik"
key_is 'CLSID\{B9D3E5A2-F1E1-4573-BA91-C66D5EE3E5DE}\TypeLib' "{08FE6A97-9B16-4210-B852-EBB864F0039D}"

# Orvox's library is not registered, and its class names none.
grep -qi '12F99987-E136-42F8-8AAF-990E9D37A16F' "$PARLEN_REGISTRY" && fail "Orvox's type library registered"
[ -z "$(key 'CLSID\{47B6AC0E-9D44-44FD-BC81-72D64BEE2DE0}\TypeLib')" ] || fail "TTSEngine names a type library"
[ "$(grep -c '\\TypeLib\\{[^}]*}\\1.0\]$' "$PARLEN_REGISTRY")" -eq 4 ] ||
  fail "not four type libraries"

"$regsvr" -u "$runemap" "$glossel" "$tonvar" "$sonalik" "$orvox" > "$dir/out" 2>&1 ||
  fail "unregistering: $(cat "$dir/out")"
# Only the common TypeLib key stays, as it does on Windows.
grep -vxF "[$classes\\TypeLib]" "$PARLEN_REGISTRY" | grep -q TypeLib &&
  fail "type-library entries left after unregistering"
echo "typelib registration: all checks passed"
