#!/usr/bin/env bash
# End to end: the programs installed by root into a prefix (cmake --install)
# and run by a normal user, who cannot write the program's folder. F10 keeps
# the settings in the user's configuration folder without an error, the next
# start reads them, Escape writes nothing. Needs root (it installs and
# creates the user); otherwise it is skipped (status 77).
#   bash tests/e2e/installed.sh <build folder>
set -u
build=$(cd "${1:?usage: installed.sh <build folder>}" && pwd)
user=lumo-e2e

if [ -z "${LUMO_E2E_USER_PART:-}" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "SKIP: installing into a prefix and creating a user need root"
    exit 77
  fi
  source "$(dirname "$0")/lib.sh"
  make_work
  created=
  trap 'e2e_cleanup; [ -z "$created" ] || userdel "$user" 2>/dev/null' EXIT
  chmod 755 "$work"
  prefix=$work/prefix
  if ! cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
  fi
  failed=0
  for p in lumopocketo lumopocketo-cli; do
    case $(file -b "$prefix/bin/$p") in
      *", stripped"*) ;;
      *) echo "FAIL: $p is installed with its symbols: $(file -b "$prefix/bin/$p")"; failed=1 ;;
    esac
  done
  if ! id "$user" > /dev/null 2>&1; then
    useradd --no-create-home --home-dir /nonexistent --shell /bin/bash "$user" || exit 1
    created=1
  fi
  home=$work/home
  mkdir "$home" && chown "$user:" "$home"
  # The user's part, in a clean environment with a session bus of its own
  # (in_display cannot switch the user and clear the environment first).
  bus=$(command -v dbus-run-session || echo env)
  # the user may not reach this folder
  cp "$0" "$(dirname "$0")/lib.sh" "$(probe_lib)" "$work/"
  xvfb-run -a -s "-screen 0 800x600x24 -ac" bash -c \
    'exec runuser -u "$1" -- env -i PATH=/usr/bin:/bin HOME="$2" DISPLAY="$DISPLAY" \
       LUMO_E2E_USER_PART=1 "$3" -- bash "$4" "$5"' \
    _ "$user" "$home" "$bus" "$work/installed.sh" "$prefix"
  status=$?
  [ "$failed" = 0 ] && exit $status
  exit 1
fi

# ---- the user's part, inside the X server: $1 is the prefix ----
prog=$build/bin/lumopocketo
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/lib.sh"
probe_lib=$here/libe2e_probe.so
make_work
errors() { launch_err | grep -i -e 'could not' -e 'denied' -e '^lumopocketo:'; }
ini=$HOME/.config/LumoPocketo/lumopocketo.ini

# First start: 5 decimal places (the places box's up half), F10.
start - -
check "the installed program's window answers the keyboard" wait_ready "$win"
click UpButton
clip=$(copy_display "$win")
check "the places box steps up to 5 places: got '$clip'" test "$clip" = "0.00000"
stop F10
check "F10 exits 0 (status $status)" test "$status" = 0
check "no save error on standard error: $(errors)" test -z "$(errors)"
check "the settings land in the user's configuration folder" test -f "$ini"
check "five decimal places saved" grep -q '^Decimal Places=5' "$ini"

# Second start: the places are read back; Escape writes nothing.
cp -p "$ini" "$HOME/before.ini"
start - -
check "the second start answers the keyboard" wait_ready "$win"
xdotool type --window "$win" 1=
clip=$(copy_display "$win")
stop Escape
check "the next start reads the saved places: got '$clip'" test "$clip" = "1.00000"
check "Escape exits 0 (status $status)" test "$status" = 0
check "Escape writes nothing" cmp -s "$ini" "$HOME/before.ini"
check "nothing on standard error after Escape" test -z "$(errors)"

finish
