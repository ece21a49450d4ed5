# Sourced by the smoke tests: what they need before parlen starts.

# Exits 77 (skipped) when one of the tools is missing; in CI (CI=true),
# where scripts/install-deps installed them, that is a failure.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      if [ "${CI:-}" = true ]; then
        echo "FAILED: $tool is not installed (the test needs $*; see scripts/install-deps)"
        exit 1
      fi
      echo "SKIPPED: $tool is not installed (the test needs $*)"
      exit 77
    fi
  done
}

# A private copy of the installed registry whose settings file lies in a
# folder of the test's own ($work, removed on exit), with temporary and
# cache folders there too: parlen sweeps them at its start.
private_install() {
  local reg_write=$1 installed=$2
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export PARLEN_REGISTRY=$work/registry.reg
  export XDG_CACHE_HOME=$work/cache TMPDIR=$work/tmp
  mkdir "$TMPDIR"
  export XDG_CONFIG_HOME=$work/config
  cp "$installed" "$PARLEN_REGISTRY"
  "$reg_write" "Software\\Morvane\\Parlen" "SavePath=$work/parlen.cfg" >/dev/null
}
