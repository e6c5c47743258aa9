#!/usr/bin/env bash
# Starts the calculator from the build folder (make run). Without a display
# the program itself says so in one line and names lumopocketo-cli.
set -u
build=${1:-build}
if [ -x "$build/src/app/lumopocketo" ]; then
  exec "$build/src/app/lumopocketo"
elif [ -x "$build/src/cli/lumopocketo-cli" ]; then
  echo "The window program is not built; starting the command-line calculator (Ctrl+D ends)."
  exec "$build/src/cli/lumopocketo-cli"
else
  echo "Neither build/src/app/lumopocketo nor build/src/cli/lumopocketo-cli is built." >&2
  exit 1
fi
