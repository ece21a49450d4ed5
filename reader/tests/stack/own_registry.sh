#!/usr/bin/env bash
# The reading test copies the installed registry into a file of its own:
# a registry the caller's environment names is left as it was.
#   own_registry.sh <reader_reading_tests>
set -euo pipefail
registry=$(mktemp)
trap 'rm -f "$registry"' EXIT
echo "the caller's registry" >"$registry"
PARLEN_REGISTRY=$registry "$1" --gtest_filter='ReaderReadingTest.*' >/dev/null
if [ "$(cat "$registry")" != "the caller's registry" ]; then
  echo "FAILED: the reading test wrote over the registry PARLEN_REGISTRY names"
  exit 1
fi
