#!/usr/bin/env bash
# A test program keeps to a registry of its own: the registry file that the
# caller's environment names (PARLEN_REGISTRY, as exported for running the
# programs by hand) is left as it was.
#   own_registry.sh <test program> <gtest filter>
set -euo pipefail
registry=$(mktemp)
trap 'rm -f "$registry" "$registry.lock"' EXIT
echo "the caller's registry" >"$registry"
PARLEN_REGISTRY=$registry "$1" --gtest_filter="$2" >/dev/null
if [ "$(cat "$registry")" != "the caller's registry" ]; then
  echo "FAILED: $(basename "$1") wrote over the registry PARLEN_REGISTRY names"
  exit 1
fi
