#!/usr/bin/env bash
# The window on Xvfb and openbox: screenshots, clicks, polite close, restart.
set -euo pipefail
binary=${1:?usage: window_e2e.sh <path of orvelplan>}
for tool in Xvfb openbox xdotool xprop import-im6.q16 convert-im6.q16; do
  command -v "$tool" >/dev/null || { echo "window_e2e: no $tool (scripts/setup --gui); skipped"; exit 77; }
done
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp}
work=$(mktemp -d) pids=() failures=0 wid="" app_pid=""
# The release number, as the title and the links carry it: "orvelplan (Orvel Planner) 1.1".
version=$("$binary" --version | sed -n '1s/.* //p')
tag="opl${version//./}u"
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT

. "$(dirname "$0")/checks.sh"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null & pids+=($!)
wait_for 20 grep -q '[0-9]' "$work/display" || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || { echo "FAIL: no openbox"; exit 1; }

mkdir -p "$work/bin"   # the stand-in opener writes down what it opens
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open"
folder="$work/data/orvel/orvelplan"

start_program() {
  PATH="$work/bin:$PATH" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache" "$binary" >/dev/null 2>"$work/stderr" & app_pid=$! pids+=($!)
  wait_for 30 find_window || { cat "$work/stderr"; echo "FAIL: no window"; exit 1; }
}
windows() { xdotool search --onlyvisible --name "^Orvel Planner ${version//./\\.}\$"; }
find_window() { wid=$(windows | head -n1); [ -n "$wid" ]; }
two_windows() { [ "$(windows | wc -l)" -ge 2 ]; }
close_politely() {  # Alt+F4 through openbox: WM_DELETE_WINDOW, as the close button sends it
  local status=0
  timeout 10 xdotool windowactivate --sync "$wid" key alt+F4 || true
  wait_for 30 not kill -0 "$app_pid" || kill -9 "$app_pid"
  wait "$app_pid" || status=$?
  [ "$status" = 0 ] || tail -n5 "$work/stderr"
  check "exit status 0 after a polite close (got $status)" [ "$status" = 0 ]
}
opened() { grep -qxF "$1" "$work/opened"; }
has() { xprop -id "$wid" "$1" | grep -q -- "$2"; }
# Screenshot pixel as RRGGBB; every check takes a new screenshot.
pixel() { import-im6.q16 -window "$wid" "$work/shot.png" && convert-im6.q16 "$work/shot.png" -format "%[hex:p{$1,$2}]" info:; }
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
coral() {
  local c; c=$(pixel 160 300)
  [ ${#c} = 6 ] && (( 16#${c:0:2} > 200 && 16#${c:2:2} > 90 && 16#${c:2:2} < 170 && 16#${c:4:2} > 80 && 16#${c:4:2} < 160 ))
}
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
rows() {  # with the pointer parked on the background: captions salmon, chosen rows yellow
  local colour=$1 what=$2; shift 2
  xdotool mousemove --window "$wid" 50 390
  for p in "$@"; do check "$what: row at $p" pixel_is ${p/,/ } "$colour"; done
}

start_program
rows FF967D "caption rows" 120,75 290,75 430,75
rows FFFF00 "first start" 120,95 290,95 430,95
check "coral Create Calendar" coral
check "not topmost at first" not has _NET_WM_STATE _NET_WM_STATE_ABOVE
check "opaque at first" not has _NET_WM_WINDOW_OPACITY =
click 80 220 && click 230 120 && click 385 220   # 2016, 2 Months / row, Saturday
rows FFFF00 "chosen" 120,215 290,115 430,215
# Pressed on the pin at the right edge and released 300 px to the right of the
# window: no release reaches the pin, so nothing is toggled.
xdotool mousemove --window "$wid" 461 11 mousedown 1 mousemove --window "$wid" 761 11 mouseup 1
sleep 1
check "a release far outside the window completes no click" not has _NET_WM_STATE _NET_WM_STATE_ABOVE
# The pointer hovering a row and then leaving the window: the row keeps its look.
xdotool mousemove --window "$wid" 400 160
check "the row under the pointer is green" pixel_is 435 155 00FF00
xdotool mousemove --window "$wid" 800 160
sleep 1
check "the row keeps its hover colour after the pointer has left" pixel_is 435 155 00FF00
click 235 325                                     # Create Calendar
limit=30 check "viewer asked to open the calendar" opened "$folder/orvelplan0.pdf"
check "the calendar is a PDF" grep -q '^%PDF-' "$folder/orvelplan0.pdf"
click 441 11 && check "opacity 190 of 255" has _NET_WM_WINDOW_OPACITY '= 3200'
click 461 11 && check "topmost" has _NET_WM_STATE _NET_WM_STATE_ABOVE
click 421 11 && check "calendar page link" opened "https://www.orvel.example/calendar/index.php?v=$tag"
click 70 10 && check "home page link" opened "https://www.orvel.example/index.php?v=$tag"
close_politely
mapfile -t lines < <(cat "$folder/orvelplan.ini" 2>/dev/null)
check "eight settings lines" [ "${#lines[@]}" -eq 8 ]
check "choices saved: ${lines[*]}" [ "${lines[*]:0:3} ${lines[*]:5}" = "0 1 1 2016 6 1" ]

start_program
rows FFFF00 "restored" 120,215 290,115 430,215
check "topmost from the start" has _NET_WM_STATE _NET_WM_STATE_ABOVE
check "translucent from the start" has _NET_WM_WINDOW_OPACITY '= 3200'
# A second program's window takes the focus; the first click back on this one acts.
first_wid=$wid first_pid=$app_pid
PATH="$work/bin:$PATH" XDG_DATA_HOME="$work/other" XDG_CACHE_HOME="$work/cache" "$binary" >/dev/null 2>&1 & other_pid=$! pids+=($!)
limit=30 check "a second program's window" two_windows
other_wid=$(windows | grep -vx "$first_wid" | head -n1)
xdotool windowmove "$other_wid" 520 300 windowactivate --sync "$other_wid" || true
check "the other window has the focus" sh -c "[ \$(xdotool getactivewindow) = $other_wid ]"
click 80 180                                      # 2014, in the window without the focus
rows FFFF00 "the click that brings the window forward chose 2014" 120,175
kill -TERM "$other_pid"; wait "$other_pid" || true
wid=$first_wid app_pid=$first_pid
close_politely
echo "window_e2e: $failures failed"
[ "$failures" -eq 0 ]
