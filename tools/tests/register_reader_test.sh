#!/usr/bin/env bash
# register_reader_test.sh REG_WRITE REGISTER_READER_SCRIPT: the reader's
# installation step, in a registry file and a home folder of the test's own:
# the settings path is the user's own file, and a reinstallation keeps it.
set -u
reg_write=$1 script=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export PARLEN_REGISTRY=$dir/registry.reg
fail() { echo "FAIL: $*"; exit 1; }
install() { cmake -DREG_WRITE="$reg_write" -P "$script" >"$dir/out" 2>&1 || fail "installing: $(cat "$dir/out")"; }
save_path() { sed -n 's/^"SavePath"="\(.*\)"$/\1/p' "$PARLEN_REGISTRY"; }

XDG_CONFIG_HOME=$dir/config install
[ "$(save_path)" = "$dir/config/parlen/parlen.cfg" ] || fail "SavePath $(save_path)"
grep -qx 'UseTTS=1' "$dir/config/parlen/parlen.cfg" || fail "no first settings file"
# The user's settings survive a reinstallation.
printf 'UseTTS=0\n' >"$dir/config/parlen/parlen.cfg"
XDG_CONFIG_HOME=$dir/config install
[ "$(cat "$dir/config/parlen/parlen.cfg")" = UseTTS=0 ] || fail "settings overwritten"
# A relative XDG_CONFIG_HOME counts for nothing, as for the registry.
XDG_CONFIG_HOME=config HOME=$dir/home install
[ "$(save_path)" = "$dir/home/.config/parlen/parlen.cfg" ] || fail "SavePath $(save_path)"
[ -f "$dir/home/.config/parlen/parlen.cfg" ] || fail "no settings file under HOME"
echo "register-reader installs the user's own settings file"
