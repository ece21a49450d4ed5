#!/usr/bin/env bash
# regsvr_test.sh REGSVR SERVER NOT_A_SERVER: registers and unregisters a
# server in a registry file of its own, and checks the reports of failures.
set -u
regsvr=$1 server=$2 not_a_server=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export PARLEN_REGISTRY=$dir/registry.reg
fail() { echo "FAIL: $*"; exit 1; }

"$regsvr" "$server" > "$dir/out" 2>&1 || fail "registering: $(cat "$dir/out")"
grep -qF "@=\"$(realpath "$server")\"" "$PARLEN_REGISTRY" || fail "no InprocServer32 path in the registry"
grep -qF '"ThreadingModel"="Both"' "$PARLEN_REGISTRY" || fail "no ThreadingModel"

"$regsvr" -u "$server" > "$dir/out" 2>&1 || fail "unregistering: $(cat "$dir/out")"
grep -q InprocServer32 "$PARLEN_REGISTRY" && fail "class keys left after unregistering"

"$regsvr" /nonexistent/libNothing.so "$not_a_server" "$server" > "$dir/out" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "exit status $status after failures"
grep -q "^regsvr: /nonexistent/libNothing.so: cannot load" "$dir/out" || fail "no report of the missing library"
grep -q "^regsvr: $not_a_server: no DllRegisterServer export" "$dir/out" || fail "no report of the missing export"
grep -q InprocServer32 "$PARLEN_REGISTRY" || fail "the good server was not registered after the failures"

"$regsvr" > "$dir/out" 2>&1
[ $? -eq 2 ] || fail "no usage error without servers"
echo "regsvr: all checks passed"
