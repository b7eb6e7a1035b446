#!/usr/bin/env bash
# The window on Xvfb and openbox: screenshots, clicks, polite close, restart.
set -euo pipefail
binary=${1:?usage: window_e2e.sh <path of orvelplan>}
. "$(dirname "$0")/checks.sh"
need_tools --gui Xvfb openbox xdotool xprop import-im6.q16 convert-im6.q16 pdfinfo
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp}
work=$(mktemp -d) pids=() failures=0 wid="" app_pid=""
# The release number, as the title and the links carry it: "orvelplan (Orvel Planner) 1.1".
version=$("$binary" --version | sed -n '1s/.* //p')
tag="opl${version//./}u"
trap 'end_programs; rm -rf "$work"' EXIT

start_xvfb "$work/display" || exit 1
pids+=("$xvfb_pid")
window_manager
mkdir -p "$work/bin"   # the stand-in opener writes down what it opens
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$work/opened" >"$work/bin/xdg-open" && chmod +x "$work/bin/xdg-open"
folder="$work/data/orvel/orvelplan" shown_folder="$work/data/orvel/orvelplan/"
data_home="$work/data"
launch() { exec env PATH="$work/bin:$PATH" XDG_DATA_HOME="$data_home" XDG_CACHE_HOME="$work/cache" "$binary"; }
close_window() { timeout 10 xdotool windowactivate --sync "$wid" key alt+F4 || true; }  # WM_DELETE_WINDOW through openbox
two_windows() { [ "$(windows | wc -l)" -ge 2 ]; }

start_program
first_start
toggles_and_links '= 3200'
# The position is where the window manager put the window.
closed_with_settings '0 1 1 -?[0-9]+ -?[0-9]+ 2016 6 1'

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
