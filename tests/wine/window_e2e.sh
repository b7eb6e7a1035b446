#!/usr/bin/env bash
# The Windows window under Wine, Xvfb and openbox: screenshots, hover, clicks,
# keys, the stand-in PDF viewer and browser, a polite close and a restart.
#   window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>
set -euo pipefail
exe=${1:?usage: window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>}
opener=${2:?usage: window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>}
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine_prefix.sh"
need_tools --windows wine Xvfb openbox xdotool xprop xwininfo import-im6.q16 convert-im6.q16 pdfinfo python3
work=$(mktemp -d) pids=() failures=0 wid="" app_pid="" own_session=0 version=1.1 tag=opl11u
finish() {
  rm -f "$work/hold"
  kill "${pids[@]}" 2>/dev/null || true
  wait "${pids[@]}" 2>/dev/null || true
  [ "$own_session" = 0 ] || wine_session_end
  rm -rf "$work"
}
trap finish EXIT
if ! wine_session_join || [ -z "${DISPLAY:-}" ]; then
  own_session=1
  wine_session_begin "$work/prefix" --display
fi
window_manager

# The stand-in viewer writes down each file it is handed and, while the hold
# marker exists, keeps it open as a real viewer does; the browser only writes down.
: >"$work/opened"
: >"$work/hold"
log=$(wine_path "$work/opened")
stand_in=$(wine_path "$opener")
wine reg add 'HKCR\.pdf' /ve /d pdffile /f >/dev/null 2>&1
wine_register_open pdffile "\"$stand_in\" \"$log\" \"%1\" \"$(wine_path "$work/hold")\""
for protocol in http https; do wine_register_open "$protocol" "\"$stand_in\" \"$log\" \"%1\""; done
folder="$(wine_program_data)/orvel/orvelplan"
rm -rf "$folder"
calendar='C:\ProgramData\orvel\orvelplan\orvelplan'

launch() { exec wine "$exe"; }
close_window() { wine taskkill /im orvelplan.exe >/dev/null 2>&1 || true; }  # WM_CLOSE
opened_count() { [ "$(wc -l <"$work/opened")" = "$1" ]; }
# Wine draws the frame inside the window: client pixel (0, 0) lies at
# (ox, oy) of it. Found from the salmon caption row of the year list at (25, 70).
find_client_origin() {
  import-im6.q16 -window "$wid" "$work/shot.png" && read -r ox oy < <(convert-im6.q16 "$work/shot.png" -depth 8 rgb:- | python3 -c '
import sys
data, width = sys.stdin.buffer.read(), int(sys.argv[1])
at = next(i for i in range(0, len(data), 3) if data[i:i + 3] == bytes((0xFF, 0x96, 0x7D))) // 3
print(at % width - 25, at // width - 70)' "$(xwininfo -id "$wid" | sed -n 's/ *Width: //p')")
}
corner() { xwininfo -id "$wid" | sed -n 's/ *Absolute upper-left [XY]: *//p' | paste -sd,; }
is_pdf() { pdfinfo "$1" | grep -qE '^Pages: +1$'; }
switches() { cat /proc/"$app_pid"/task/*/status | awk '/ctxt_switches/ { s += $2 } END { print s }'; }
wakeups() {  # context switches of the program's threads over two idle seconds
  local before; before=$(switches)
  sleep 2
  echo $(($(switches) - before))
}

start_program
limit=20 check "first frame drawn" sh -c "xwininfo -id $wid | grep -q 'Map State: IsViewable'"
wait_for 20 find_client_origin || { echo "FAIL: no caption row on screen"; exit 1; }
echo "client area at ($ox, $oy) of the window"
first_screen
check "title strip" pixel_is 300 10 EAE4DD
check "outer size 477 x 446" sh -c "xwininfo -id $wid | grep -q 'Width: 477' && xwininfo -id $wid | grep -q 'Height: 446'"
check "title" has WM_NAME '"Orvel Planner 1.1"'
# Window-manager functions: move, minimize and close (0x2c); no resize, no maximize.
check "minimize and close, no maximize or resize" has _MOTIF_WM_HINTS '= 0x3, 0x2c,'
check "at the top-left corner without settings" [ "$(corner)" = 0,0 ]
idle=$(wakeups)
check "no wake-ups while idle (got $idle in 2 s)" [ "$idle" -eq 0 ]

xdotool windowactivate --sync "$wid"
point 80 140 && check "hovered row green" pixel_is 120 140 00FF00
# Into the caption row: the row under the pointer is gone but nothing is
# marked for redrawing, so the old hover look stays until something redraws.
point 80 75 && sleep 0.5 && check "hover look kept over the caption row" pixel_is 120 140 00FF00
xdotool key c && sleep 0.5 && check "key C redraws nothing" pixel_is 120 140 00FF00
xdotool key k && check "key K redraws the window" pixel_is 120 140 FFFFFF
choose_2016_two_months_saturday

# A press moved off "Create Calendar" is cancelled, also when released back on it;
# a release outside the window reaches no control. The pauses let the program
# see each position: the system keeps only the latest of the pending moves.
point 235 325 && xdotool mousedown 1 && sleep 0.3 && point 50 390 && sleep 0.3 && point 235 325 && sleep 0.3 && xdotool mouseup 1
point 70 10 && sleep 0.3 && xdotool mousedown 1 && sleep 0.3 && xdotool mousemove 900 700 && sleep 0.3 && xdotool mouseup 1
sleep 1
check "a cancelled press creates nothing" not test -e "$folder/orvelplan0.pdf"
check "a release outside the window opens nothing" opened_count 0
check "Create Calendar normal again" coral

click 235 325
limit=30 check "viewer handed ${calendar}0.pdf" opened "${calendar}0.pdf"
check "orvelplan0.pdf is a one-page PDF" is_pdf "$folder/orvelplan0.pdf"
click 235 325   # the viewer still holds orvelplan0.pdf open
limit=30 check "viewer handed ${calendar}1.pdf while 0 is open" opened "${calendar}1.pdf"
check "orvelplan1.pdf is a one-page PDF" is_pdf "$folder/orvelplan1.pdf"
rm -f "$work/hold"
check "the text page of each build on standard output" [ "$(grep -c '2016' "$work/stdout")" -ge 2 ]
toggles_and_links '= 3200171710$'
check "each link once" opened_count 4

# A calendar that cannot be written (folders stand under all 100 names): the
# box is owned by the topmost window and stays above it; its OK closes it.
rm -f "$folder"/orvelplan*.pdf
for n in $(seq 0 99); do mkdir "$folder/orvelplan$n.pdf"; done
click 235 325
box() { box=$(windows | grep -vx "$wid" | head -n1); [ -n "$box" ]; }
if wait_for 20 box; then
  check "the box is owned by the window" sh -c "xprop -id $box WM_TRANSIENT_FOR | grep -qi 'window id # $(printf '0x%x' "$wid")'"
  check "the box is above the topmost window" sh -c "xprop -id $box _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE"
  xdotool windowactivate --sync "$box" key Return
  wait_for 20 not box || check "the box closes with its OK" false
else
  check "a box says the calendar could not be created" false
fi
rmdir "$folder"/orvelplan*.pdf

xdotool windowmove "$wid" 130 90 && check "moved to 130,90" [ "$(corner)" = 130,90 ]
close_politely
mapfile -t lines < <(tr -d '\r' <"$folder/orvelplan.ini" 2>/dev/null)
check "eight settings lines" [ "${#lines[@]}" -eq 8 ]
check "choices and position saved: ${lines[*]}" [ "${lines[*]}" = "0 1 1 90 130 2016 6 1" ]

start_program
wait_for 20 pixel_is 120 75 FF967D
restored '= 3200171710$'
check "position restored" [ "$(corner)" = 130,90 ]
close_politely
[ "$failures" -eq 0 ] || { echo "opened:"; cat "$work/opened"; echo "stderr:"; tail -n 20 "$work/stderr"; }
echo "window_e2e: $failures failed"
[ "$failures" -eq 0 ]
