#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running LumoPocketo
# need. Idempotent: packages already present are left alone, so a second run
# costs only the dpkg query. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  qt6-qpa-plugins libqt6svg6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool xclip x11-utils locales
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
