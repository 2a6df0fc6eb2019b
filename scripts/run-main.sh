#!/usr/bin/env bash
# `make run`: the workbench when a display is there, otherwise the headless demo.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/src/app/ombrelune" ]; then
  exec "$build/src/app/ombrelune"
fi
# The demo writes its files into the data root, so it runs from there.
home=${OMBRELUNE_HOME:-$build/demo-home}
mkdir -p "$home"
demo=$PWD/examples/demo.seq
cd "$home"
exec "$build/src/cli/ombrelune-run" --home "$home" --list "$demo"
