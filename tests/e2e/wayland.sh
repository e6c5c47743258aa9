#!/usr/bin/env bash
# End to end: the program on a Wayland compositor (a headless weston, whose
# debug protocol lets weston-screenshooter take screenshots). The window
# appears on a screenshot; the program writes nothing to standard error,
# also with the tape open and the window asked to stay on top and to stand
# at a given place (which the compositor decides); and the Settings dialog
# shows Stay on top as unavailable there (its widget test, run on Wayland).
#   bash tests/e2e/wayland.sh <build folder>
set -u
build=$(cd "${1:?usage: wayland.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
for tool in weston weston-screenshooter; do
  command -v $tool > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so > /dev/null 2>&1 ||
  { echo "SKIP: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }

source "$here/lib.sh"
make_work
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A desktop of one colour, no panel: whatever is not that colour is a window.
printf '[shell]\npanel-position=none\nbackground-color=0xff204060\nbackground-image=\n' \
  > "$work/weston.ini"
export WAYLAND_DISPLAY=lumo-e2e
weston --backend=headless-backend.so --use-pixman --debug --width=800 --height=600 \
  --socket=$WAYLAND_DISPLAY --config="$work/weston.ini" > "$work/weston.log" 2>&1 &
pids+=($!)
for i in $(seq 1 100); do
  [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
  sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$work/weston.log"; echo "FAIL: weston did not start"; exit 1; }
export QT_QPA_PLATFORM=wayland
unset DISPLAY

# shot_windows <name> [tries]: a screenshot once windows are on it (at most
# 40 tries, half a second apart); prints what shot_windows.py finds.
shot_windows() {
  local i shots=$work/shots-$1 found
  mkdir -p "$shots"
  for i in $(seq 1 "${2:-40}"); do
    rm -f "$shots"/*.png
    (cd "$shots" && weston-screenshooter > /dev/null 2>&1)
    found=$(python3 "$here/shot_windows.py" "$shots"/*.png 2>/dev/null)
    [ -n "$found" ] && break
    sleep 0.5
  done
  [ -z "${LUMO_E2E_SHOT:-}" ] || cp "$shots"/*.png "$LUMO_E2E_SHOT-$1.png"
  printf '%s' "$found"
}
# run_program <name> <settings text>: a copy of the program with its settings
# file, standard error to $work/<name>.err; sets $dir and $pid.
run_program() {
  dir=$work/$1
  mkdir -p "$dir"
  cp "$prog" "$dir/"
  printf '%b' "$2" > "$dir/lumopocketo.ini"
  "$dir/lumopocketo" 2> "$work/$1.err" &
  pid=$!; pids+=("$pid")
}

# ---- 1. The compact window on a screenshot ----
sleep 1 # the desktop's shell draws its background
check "the desktop starts empty" test -z "$(shot_windows empty 1)"
run_program plain '[Defaults]\r\n'
read -r left top width height share window <<< "$(shot_windows plain)"
# The compact window is 190 x 203 inside the frame that Qt draws for it.
check "the screenshot shows the window: found ${width:-none} x ${height:-none} at ${left:-?},${top:-?}" \
  test "${width:-0}" -ge 190 -a "${width:-0}" -le 260 -a "${height:-0}" -ge 203 -a "${height:-0}" -le 280
check "the window fills its rectangle ($share%)" test "${share:-0}" -ge 90
check "the program is running" kill -0 "$pid"
sleep 0.5
check "standard error is empty: $(head -c 300 "$work/plain.err")" test ! -s "$work/plain.err"
kill "$pid"; wait "$pid" 2>/dev/null

# ---- 2. Tape, stay on top and a position: nothing on standard error ----
run_program asks '[Defaults]\r\nShow Tape=1\r\nStay On Top=1\r\nPosition=0\r\n'
read -r left top width height share both <<< "$(shot_windows asks)"
# The tape (200 pixels wide, as high as the window) beside or over it.
check "the window and its tape are shown: ${both:-no} pixels against ${window:-?} of the window" \
  test "${both:-0}" -ge $((${window:-0} + 200 * 180))
check "the program is running with the tape" kill -0 "$pid"
sleep 0.5
check "standard error is empty with the tape, on top, placed: $(head -c 300 "$work/asks.err")" \
  test ! -s "$work/asks.err"
kill "$pid"; wait "$pid" 2>/dev/null

# ---- 3. The Settings dialog: Stay on top unavailable, with a note ----
if [ -x "$build/tests/test_app" ]; then
  out=$(timeout 60 "$build/tests/test_app" \
    --gtest_filter='SettingsDialog.StayOnTopIsUnavailableWhereTheDesktopPlacesTheWindows' 2>&1)
  grep -q '^\[  PASSED  \] 1 test' <<< "$out" || printf '%s\n' "$out" | tail -20
  check "the Settings dialog test passes on Wayland" grep -q '^\[  PASSED  \] 1 test' <<< "$out"
fi

finish
