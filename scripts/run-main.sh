#!/usr/bin/env bash
# `make run`: the workbench when a display is there, otherwise the headless demo.
set -euo pipefail
build=${1:-build}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/src/app/ombrelune" ]; then
  exec "$build/src/app/ombrelune"
fi
if [ -f examples/demo.seq ] && "$build/src/cli/ombrelune-run" --help | grep -q -- '--exec'; then
  home=${OMBRELUNE_HOME:-$PWD/$build/demo-home}
  exec "$build/src/cli/ombrelune-run" --home "$home" --list examples/demo.seq
fi
exec "$build/src/cli/ombrelune-run" --list
