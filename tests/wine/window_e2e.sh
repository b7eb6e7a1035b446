#!/usr/bin/env bash
# The Windows window under Wine, Xvfb and openbox: screenshots, hover, clicks,
# keys, the stand-in PDF viewer and browser, a polite close and a restart.
#   window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>
set -euo pipefail
exe=${1:?usage: window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>}
opener=${2:?usage: window_e2e.sh <orvelplan.exe> <stand_in_opener.exe>}
. "$(cd "$(dirname "$0")" && pwd)/wine_prefix.sh"
need_tools --windows wine Xvfb openbox xdotool xprop xwininfo import-im6.q16 convert-im6.q16 pdfinfo python3
work=$(mktemp -d) pids=() failures=0 wid="" app_pid="" version=1.1 tag=opl11u
wine_test_finish() { end_programs; }
wine_test_session "$work" --display
window_manager

# The stand-in viewer and browser write down each file and link they are handed.
: >"$work/opened"
wine_record_opens "$work/opened" "$opener"
folder="$(wine_program_data)/orvel/orvelplan" shown_folder='C:\ProgramData\orvel\orvelplan\'
rm -rf "$folder"

launch() { exec wine "$exe"; }
close_window() { wine taskkill /im orvelplan.exe >/dev/null 2>&1 || true; }  # WM_CLOSE
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

start_program
wait_for 20 find_client_origin || { echo "FAIL: no caption row on screen"; exit 1; }
echo "client area at ($ox, $oy) of the window"
check "title strip" pixel_is 300 10 EAE4DD
check "outer size 477 x 446" sh -c "xwininfo -id $wid | grep -q 'Width: 477' && xwininfo -id $wid | grep -q 'Height: 446'"
first_start
check "the calendar's text page on standard output" grep -q 2016 "$work/stdout"
toggles_and_links '= 3200171710$'

# A calendar that cannot be written (folders stand under all 100 names): the
# box is owned by the topmost window (and so stays above it); its OK closes it.
rm -f "$folder"/orvelplan*.pdf
for n in $(seq 0 99); do mkdir "$folder/orvelplan$n.pdf"; done
click 235 325
box() { box=$(windows | grep -vx "$wid" | head -n1); [ -n "$box" ]; }
limit=20 check "a box says the calendar could not be created" box
check "the box is owned by the window" sh -c "xprop -id '$box' WM_TRANSIENT_FOR | grep -qi 'window id # $(printf '0x%x' "$wid")'"
xdotool windowactivate --sync "$box" key Return || true
limit=20 check "the box closes with its OK" not box
rmdir "$folder"/orvelplan*.pdf

xdotool windowmove "$wid" 130 90 && check "moved to 130,90" [ "$(corner)" = 130,90 ]
closed_with_settings '0 1 1 90 130 2016 6 1'

start_program
wait_for 20 pixel_is 120 75 FF967D
restored '= 3200171710$'
check "position restored" [ "$(corner)" = 130,90 ]
close_politely
[ "$failures" -eq 0 ] || { echo "opened:"; cat "$work/opened"; echo "stderr:"; tail -n 20 "$work/stderr"; }
echo "window_e2e: $failures failed"
[ "$failures" -eq 0 ]
