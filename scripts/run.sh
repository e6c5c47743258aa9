#!/usr/bin/env bash
# Starts the calculator from the build folder: the window program when it is
# built, else the command-line calculator.
set -u
build=${1:-build}
if [ -x "$build/src/app/lumopocketo" ]; then
  exec "$build/src/app/lumopocketo"
elif [ -x "$build/src/cli/lumopocketo-cli" ]; then
  echo "LumoPocketo command-line calculator: type keys such as  2 + 3 * 4 =  (Ctrl+D ends)"
  exec "$build/src/cli/lumopocketo-cli"
else
  echo "Built so far: the Brix library ($(ls "$build"/src/brix/*.a 2>/dev/null | xargs -n1 basename | tr '\n' ' '))"
  echo "Neither the window program nor lumopocketo-cli exists yet."
fi
