#!/usr/bin/env bash
# fetch_debian_package.sh PACKAGE DIR: makes sure DIR holds PACKAGE's .deb
# (downloaded once with apt-get and kept as a cache) and its files extracted
# under DIR/PACKAGE/. Prints that folder. Safe to run from several build
# steps at once: they share one download.
set -euo pipefail
package=$1
dir=$2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
exec 9>"$dir/.$package.lock"
flock 9
stamp="$dir/$package/.extracted"
if [ ! -f "$stamp" ]; then
  deb=$(ls "$dir"/"$package"_*.deb 2>/dev/null | head -n 1 || true)
  if [ -z "$deb" ]; then
    if ! (cd "$dir" && apt-get download "$package" >/dev/null 2>&1); then
      # A fresh machine may have no package lists yet.
      if [ "$(id -u)" -eq 0 ]; then apt-get update >/dev/null; else sudo apt-get update >/dev/null; fi
      (cd "$dir" && apt-get download "$package" >/dev/null)
    fi
    deb=$(ls "$dir"/"$package"_*.deb | head -n 1)
  fi
  rm -rf "$dir/$package"
  mkdir -p "$dir/$package"
  dpkg-deb -x "$deb" "$dir/$package"
  touch "$stamp"
fi
echo "$dir/$package"
