#!/usr/bin/env bash
# End to end: the window on a dark desktop, measured from screenshots (mean
# brightness of the window, contrast of the value display's text with its
# background):
#   - under qt6ct with its "darker" colour scheme (a platform theme that
#     gives a dark palette) the window is dark and its display readable;
#   - without a platform palette the desktop portal's appearance setting
#     decides (a stand-in portal, fake_portal.py, on the session bus of the
#     run): "prefer dark" turns the window dark once the answer comes, and a
#     change to "prefer light" while it runs turns it light again;
#   - no portal on the bus, or no session bus at all: light, and nothing on
#     standard error.
#   bash tests/e2e/dark.sh <build folder>
set -u
build=$(cd "${1:?usage: dark.sh <build folder>}" && pwd)
prog=$build/src/app/lumopocketo
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$prog" ] || { echo "FAIL: $prog is not built"; exit 1; }
command -v xwd > /dev/null || { echo "SKIP: xwd (x11-apps) is not installed"; exit 77; }

source "$here/lib.sh"
# Inside a virtual X server with a session bus of its own, as a desktop
# session has.
in_display bus -- "$0" "$build"
make_work
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
# A runtime folder as a session has (Qt warns without one); it holds no bus.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
portal() { /usr/bin/python3 "$here/fake_portal.py" "$@"; }

# Prints "brightness=<percent> contrast=<ratio>" for the window $win (the
# compact window's value display is at 5,5, 180 x 24).
measure() {
  xwd -silent -id "$win" > "$work/shot.xwd" &&
    python3 "$here/shot_colours.py" "$work/shot.xwd" 5 5 180 24
}
# compare <measure> <brightness|contrast> <operator> <bound>
compare() {
  [[ $1 =~ $2=([0-9.]+) ]] && python3 -c "import sys; sys.exit(not ${BASH_REMATCH[1]} $3 $4)"
}
dark() { compare "$1" brightness '<' 35; }
light() { compare "$1" brightness '>' 65; }
readable() { compare "$1" contrast '>=' 4.5; }
# wait_look <dark|light>: measures until the window looks so (at most 10 s);
# prints the last measure.
wait_look() {
  local i m
  for i in $(seq 1 50); do
    m=$(measure)
    "$1" "$m" && break
    sleep 0.2
  done
  printf '%s' "$m"
}
# The display shows a number with many strokes.
show_number() { wait_ready "$win" && xdotool type --window "$win" --delay 30 '8888.8='; }

ini='[Defaults]\r\nDecimal Places=4\r\n'

# ---- 1. qt6ct with its "darker" scheme ----
if [ -f /usr/share/qt6ct/colors/darker.conf ]; then
  mkdir -p "$work/qt6ct/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
    > "$work/qt6ct/qt6ct/qt6ct.conf"
  start qt6ct "$ini" QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/qt6ct"
  check "qt6ct: the window answers the keyboard" show_number
  m=$(wait_look dark)
  echo "qt6ct darker: $m"
  check "qt6ct darker: the window is dark (mean brightness below 35 %): $m" dark "$m"
  check "qt6ct darker: the display's text stands out (contrast 4.5:1 or more): $m" readable "$m"
  stop
else
  check "qt6ct is installed (scripts/install-deps.sh)" false
fi

# ---- 2. The portal prefers dark, then light ----
portal serve 1 > "$work/portal.out" 2>> "$work/portal.err" &
pids+=($!)
for i in $(seq 1 50); do grep -q ready "$work/portal.out" && break; sleep 0.1; done
check "the stand-in portal is on the bus" grep -q ready "$work/portal.out"
start portal "$ini"
check "portal: the window answers the keyboard" show_number
m=$(wait_look dark)
echo "portal, prefer dark: $m"
check "portal prefers dark: the window is dark: $m" dark "$m"
check "portal prefers dark: the display's text stands out: $m" readable "$m"
check "the portal changes to prefer light" portal set 2
m=$(wait_look light)
echo "portal, changed to prefer light: $m"
check "portal changed to prefer light: the window is light again: $m" light "$m"
check "portal prefers light: the display's text stands out: $m" readable "$m"
stop
kill "${pids[-1]}" 2>/dev/null
wait "${pids[-1]}" 2>/dev/null

# ---- 3. No portal on the bus; no session bus ----
start noportal "$ini"
check "no portal: the window answers the keyboard" show_number
m=$(measure)
check "no portal: the window is light: $m" light "$m"
stop
start nobus "$ini" -u DBUS_SESSION_BUS_ADDRESS
check "no session bus: the window answers the keyboard" show_number
m=$(measure)
check "no session bus: the window is light: $m" light "$m"
stop

check "nothing on standard error: $(head -c 300 "$work/stderr")" test ! -s "$work/stderr"
finish dark
