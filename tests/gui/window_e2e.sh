#!/usr/bin/env bash
# The window on Xvfb and openbox: screenshots, clicks, polite close, restart.
set -euo pipefail
binary=${1:?usage: window_e2e.sh <path of orvelplan>}
. "$(dirname "$0")/checks.sh"
need_tools --gui Xvfb openbox xdotool xprop import-im6.q16 convert-im6.q16
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp}
work=$(mktemp -d) pids=() failures=0 wid="" app_pid=""
# The release number, as the title and the links carry it: "orvelplan (Orvel Planner) 1.1".
version=$("$binary" --version | sed -n '1s/.* //p')
tag="opl${version//./}u"
trap 'kill "${pids[@]}" 2>/dev/null || true; wait; rm -rf "$work"' EXIT

start_xvfb "$work/display" || exit 1
pids+=("$xvfb_pid")
window_manager
mkdir -p "$work/bin"   # the stand-in opener writes down what it opens
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open"
folder="$work/data/orvel/orvelplan"
data_home="$work/data"
launch() { exec env PATH="$work/bin:$PATH" XDG_DATA_HOME="$data_home" XDG_CACHE_HOME="$work/cache" "$binary"; }
close_window() { timeout 10 xdotool windowactivate --sync "$wid" key alt+F4 || true; }  # WM_DELETE_WINDOW through openbox
two_windows() { [ "$(windows | wc -l)" -ge 2 ]; }

start_program
first_screen
choose_2016_two_months_saturday
# Pressed on the pin at the right edge and released 300 px to the right of the
# window: no release reaches the pin, so nothing is toggled.
point 461 11 && xdotool mousedown 1 && point 761 11 && xdotool mouseup 1
sleep 1
check "a release far outside the window completes no click" not has _NET_WM_STATE _NET_WM_STATE_ABOVE
# The pointer hovering a row and then leaving the window: the row keeps its look.
point 400 160
check "the row under the pointer is green" pixel_is 435 155 00FF00
point 800 160
sleep 1
check "the row keeps its hover colour after the pointer has left" pixel_is 435 155 00FF00
click 235 325                                     # Create Calendar
limit=30 check "viewer asked to open the calendar" opened "$folder/orvelplan0.pdf"
check "the calendar is a PDF" grep -q '^%PDF-' "$folder/orvelplan0.pdf"
toggles_and_links '= 3200'
close_politely
mapfile -t lines < <(cat "$folder/orvelplan.ini" 2>/dev/null)
check "eight settings lines" [ "${#lines[@]}" -eq 8 ]
check "choices saved: ${lines[*]}" [ "${lines[*]:0:3} ${lines[*]:5}" = "0 1 1 2016 6 1" ]

start_program
restored '= 3200'
# A second program's window takes the focus; the first click back on this one acts.
first_wid=$wid first_pid=$app_pid
data_home="$work/other" launch >/dev/null 2>&1 & other_pid=$! pids+=($!)
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
