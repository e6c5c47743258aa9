#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running LumoPocketo
# need; with --bench, --fuzz, --package or --docs also what only that make
# target needs. When everything is present it prints nothing and runs no
# apt-get or sudo (one dpkg query). Uses sudo when not run as root.
#   scripts/install-deps.sh [--bench] [--fuzz] [--package] [--docs]
set -euo pipefail

packages=(
  build-essential cmake make pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
  qt6-qpa-plugins qt6-svg-dev
  # lrelease and lupdate, and the CMake package (Qt6LinguistTools) that runs
  # them; Qt's own translations, which the program loads for its language
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev
  xvfb xauth xdotool xclip x11-utils locales
  # xwd: the window check reads the screen back
  x11-apps
  libedit-dev tmux
  fonts-dejavu-core
  # the tests also run on a desktop's default font and with a session bus;
  # the language check reads the keys' names over the accessibility bus
  fonts-noto-core dbus-x11 at-spi2-core dbus-daemon python3-dbus
  # the dark-desktop check: a platform theme with a dark colour scheme (the
  # desktop's appearance portal is played by a script on python3-dbus, with
  # GLib's main loop from python3-gi)
  qt6ct python3-gi
  # the program on Wayland, checked under a headless weston; window types
  # and placement checked under a window manager
  qt6-wayland weston openbox
  # the metainfo check of the tests; the installed-copy check reads the
  # programs' symbol tables with file
  appstream file
  # the formatting check of the tests (clang-format 14 in this release)
  clang-format
  # the tape's printout is checked by reading its PDF back with pdftotext
  poppler-utils
)

for mode in "$@"; do
  case $mode in
    # startup.sh compares start-up on a desktop's fonts; xev is in x11-utils;
    # cli.sh compares with bc and reads peak memory from GNU time
    --bench) packages+=(libbenchmark-dev fonts-noto-core fonts-liberation2 fonts-urw-base35 bc time) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
    # CPack's Debian generator and its shared-library dependency scan; the
    # packages' policy check
    --package) packages+=(dpkg-dev file lintian) ;;
    # the API reference
    --docs) packages+=(doxygen) ;;
    *) echo "usage: install-deps.sh [--bench] [--fuzz] [--package] [--docs]" >&2; exit 2 ;;
  esac
done

# One query for all: "<name> <status abbreviation>" for each known package;
# unknown names print nothing (and make dpkg-query fail, which is expected).
declare -A installed=()
while read -r name status; do
  [ "$status" = ii ] && installed[$name]=1
done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${packages[@]}" 2>/dev/null || true)
missing=()
for p in "${packages[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
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
