#!/usr/bin/env bash
# Remakes docs/compact.png and docs/scientific.png under a virtual X server
# (and @2x variants in /tmp to check the look at a scale factor of 2).
#   bash docs/make-screenshots.sh [build folder]
set -eu
build=${1:-build}
cmake --build "$build" --target lumopocketo-shots
xvfb-run -a -s "-screen 0 800x600x24" "$build/src/app/lumopocketo-shots" docs
mkdir -p /tmp/lumopocketo-shots-2x
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 800x600x24" \
  "$build/src/app/lumopocketo-shots" /tmp/lumopocketo-shots-2x
echo "docs/compact.png docs/scientific.png (2x: /tmp/lumopocketo-shots-2x)"
