#!/usr/bin/env bash
# Runs one test with folders of its own for everything a program finds through HOME and the
# XDG variables, so that neither the machine's configuration (a branding in
# /etc/xdg/corpometer/, the desktop's) nor the user's (~/.config/Corpometer.ini,
# ~/.config/corpometer/3.dat) reaches it, and no test sees what another one wrote. Every test
# of the build starts through this script (tests/CMakeLists.txt); the folders are empty at the
# start and removed afterwards. A test that wants branding or settings writes them into these
# folders.
# Usage: isolated-env.sh COMMAND [ARG...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: isolated-env.sh COMMAND [ARG...]" >&2; exit 2; }
root=$(mktemp -d "${TMPDIR:-/tmp}/corpometer-test.XXXXXXXX")
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/home/.config" "$root/home/.local/share" "$root/home/.cache" \
  "$root/home/.local/state" "$root/config-dirs" "$root/data-dirs"
mkdir -m 0700 "$root/runtime"
export HOME=$root/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export XDG_CACHE_HOME=$HOME/.cache XDG_STATE_HOME=$HOME/.local/state
export XDG_CONFIG_DIRS=$root/config-dirs XDG_DATA_DIRS=$root/data-dirs
export XDG_RUNTIME_DIR=$root/runtime
"$@"
