#!/usr/bin/env bash
# Takes the README's pictures under a virtual X display (Xvfb): the demo script run in a
# fresh session in the layout of the start, the main window saved at 1600 x 1000 as
# docs/main-window.png and at 1280 x 800 as docs/main-window-1280x800.png, and a 1D view
# showing a small-angle curve on a logarithmic axis as docs/view-1d.png; the picture of a
# fit, the fitting window beside a 1D view, as docs/fitting-window.png; and the 2D view
# with its cursors and cuts beside a 1D view, as docs/view2d.png.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/src/app/ombrelune-screenshot" examples/demo.seq docs/main-window.png docs/view-1d.png
echo "docs/main-window.png and docs/view-1d.png written"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/src/app/ombrelune-screenshot" --size=1280x800 examples/demo.seq \
  docs/main-window-1280x800.png
echo "docs/main-window-1280x800.png written"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/src/app/ombrelune-fitting-screenshot" docs/fitting-window.png
echo "docs/fitting-window.png written"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$build/src/app/ombrelune-view2d-screenshot" docs/view2d.png
echo "docs/view2d.png written"
