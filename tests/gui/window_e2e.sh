#!/usr/bin/env bash
# The program's window on a real X server with a window manager: looks at the
# screen, clicks like a user, checks what the clicks did, closes the window the
# polite way and starts it again. Every wait is bounded, so it never hangs.
#   tests/gui/window_e2e.sh <path of orvelplan>
# Exits 77 (skipped) when the X tools are not installed.
set -euo pipefail

binary=${1:?usage: window_e2e.sh <path of orvelplan>}
for tool in Xvfb openbox xdotool xprop xwininfo import-im6.q16 convert-im6.q16; do
  if ! command -v "$tool" >/dev/null; then
    echo "window_e2e: $tool is not installed (scripts/setup --gui installs it); skipped"
    exit 77
  fi
done

here="$(cd "$(dirname "$0")" && pwd)"
# The program may be built with the leak checker: system libraries' caches are
# not leaks of ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../lsan.supp}

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Runs the command until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep 0.1
  done
}

# --- X server and window manager -------------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 20 grep -q '[0-9]' "$work/display" || { cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 20 wm_running || { cat "$work/openbox.log"; echo "FAIL: openbox did not start"; exit 1; }

# A stand-in for the desktop's opener: it only writes down what it was given.
mkdir -p "$work/bin" "$work/data"
cat >"$work/bin/xdg-open" <<'OPENER'
#!/bin/sh
printf '%s\n' "$1" >>"$ORVEL_OPEN_LOG"
OPENER
chmod +x "$work/bin/xdg-open"
export ORVEL_OPEN_LOG="$work/opened.log"
touch "$ORVEL_OPEN_LOG"
folder="$work/data/orvel/orvelplan"

app_pid=""
wid=""
start_program() {
  PATH="$work/bin:$PATH" XDG_DATA_HOME="$work/data" "$binary" >"$work/stdout.$1" 2>"$work/stderr.$1" &
  app_pid=$!
  pids+=("$app_pid")
  find_window() { wid=$(xdotool search --onlyvisible --name '^Orvel Planner 1\.1$' | head -n1); [ -n "$wid" ]; }
  if ! wait_for 30 find_window; then
    cat "$work/stderr.$1"
    echo "FAIL: the window did not appear"
    exit 1
  fi
}

# Asks the window manager protocol's way: WM_DELETE_WINDOW, as the close button does.
close_politely() {
  /usr/bin/python3 - "$wid" <<'CLOSE' 2>/dev/null || xdotool key --window "$wid" alt+F4
import sys
from Xlib import X, display, protocol
d = display.Display()
w = d.create_resource_object("window", int(sys.argv[1]))
protocols = d.intern_atom("WM_PROTOCOLS")
delete = d.intern_atom("WM_DELETE_WINDOW")
event = protocol.event.ClientMessage(window=w, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
w.send_event(event, event_mask=X.NoEventMask)
d.flush()
CLOSE
}

# Waits for the program to end and sets `status` to its exit status (or "timeout").
wait_exit() {
  local deadline=$((SECONDS + 30))
  while kill -0 "$app_pid" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then status=timeout; return; fi
    sleep 0.1
  done
  status=0
  wait "$app_pid" || status=$?
}

shot() { import-im6.q16 -window "$wid" "$work/shot.png" 2>/dev/null; }
# Hex colour (RRGGBB) of a client pixel in the last screenshot.
pixel() { convert-im6.q16 "$work/shot.png" -format "%[hex:p{$1,$2}]" info:; }
# Takes screenshots until the pixel has the colour (the first frame may lag the map).
expect_pixel() {
  local x=$1 y=$2 colour=$3 what=$4
  pixel_is() { shot && [ "$(pixel "$x" "$y")" = "$colour" ]; }
  if wait_for 5 pixel_is; then pass "$what"; else fail "$what: pixel ($x, $y) is $(pixel "$x" "$y"), expected $colour"; fi
}
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
# Parks the pointer over the background so no row shows the hover colour.
park() { xdotool mousemove --window "$wid" 50 390; }

salmon=FF967D yellow=FFFF00 white=FFFFFF

# --- first start: no settings file ------------------------------------------
start_program 1
park
expect_pixel 120 75 $salmon "caption row of Year:"
expect_pixel 290 75 $salmon "caption row of Layout:"
expect_pixel 430 75 $salmon "caption row of Weekend on:"
expect_pixel 120 95 $yellow "2010 chosen at first start"
expect_pixel 290 95 $yellow "3 Months / row chosen at first start"
expect_pixel 430 95 $yellow "Sunday chosen at first start"
expect_pixel 120 215 $white "2016 not chosen yet"
shot
button=$(pixel 160 300)
red=$((16#${button:0:2})) green=$((16#${button:2:2})) blue=$((16#${button:4:2}))
if [ "$red" -gt 200 ] && [ "$green" -gt 90 ] && [ "$green" -lt 170 ] && [ "$blue" -gt 80 ] && [ "$blue" -lt 160 ]; then
  pass "coral Create Calendar button ($button)"
else
  fail "Create Calendar button is $button, not coral"
fi
if xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; then fail "topmost at first start"; else pass "not topmost at first start"; fi
if xprop -id "$wid" _NET_WM_WINDOW_OPACITY | grep -q '='; then fail "translucent at first start"; else pass "opaque at first start"; fi
geometry=$(xwininfo -id "$wid")
grep -q 'Width: 471' <<<"$geometry" && grep -q 'Height: 417' <<<"$geometry" && pass "client area 471 x 417" ||
  fail "client area is not 471 x 417"
actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
if grep -q MINIMIZE <<<"$actions" && ! grep -q -E 'MAXIMIZE|RESIZE' <<<"$actions"; then
  pass "minimize, no maximize, no resizing"
else
  fail "window actions: $actions"
fi

# --- choices and Create Calendar --------------------------------------------
click 80 220    # "2016"
click 230 120   # "2 Months / row"
click 385 220   # "Saturday"
park
expect_pixel 120 215 $yellow "2016 chosen"
expect_pixel 290 115 $yellow "2 Months / row chosen"
expect_pixel 430 215 $yellow "Saturday chosen"
[ -e "$folder/orvelplan0.pdf" ] && fail "a list click wrote a calendar" || pass "list clicks write no calendar"

click 235 325   # "Create Calendar"
if wait_for 30 grep -q "orvelplan0.pdf" "$ORVEL_OPEN_LOG"; then
  pass "the viewer was asked to open the calendar"
else
  fail "the viewer was not asked to open the calendar"
fi
if [ -s "$folder/orvelplan0.pdf" ] && head -c 5 "$folder/orvelplan0.pdf" | grep -q '%PDF-'; then
  pass "orvelplan0.pdf written"
  if command -v pdftotext >/dev/null; then
    pdftotext "$folder/orvelplan0.pdf" "$work/calendar.txt" 2>/dev/null
    grep -q 2016 "$work/calendar.txt" && pass "the calendar is for 2016" || fail "the calendar does not show 2016"
  fi
else
  fail "no orvelplan0.pdf in $folder"
fi

# A press on the button and a release outside the window completes no click.
xdotool mousemove --window "$wid" 235 325 mousedown 1 mousemove 900 700 mouseup 1
sleep 1
park
[ -e "$folder/orvelplan1.pdf" ] && fail "a release outside the window created a calendar" ||
  pass "a release outside the window creates nothing"

# --- window options ---------------------------------------------------------
click 441 11    # translucency toggle
if wait_for 5 sh -c "xprop -id $wid _NET_WM_WINDOW_OPACITY | grep -q '= 3200'"; then
  pass "opacity 190 of 255 after the T toggle"
else
  fail "opacity not set: $(xprop -id "$wid" _NET_WM_WINDOW_OPACITY)"
fi
click 461 11    # on-top toggle
if wait_for 5 sh -c "xprop -id $wid _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE"; then
  pass "topmost after the pin toggle"
else
  fail "not topmost: $(xprop -id "$wid" _NET_WM_STATE)"
fi

# --- links --------------------------------------------------------------------
click 421 11    # calendar page button
wait_for 10 grep -qx "https://www.orvel.example/calendar/index.php?v=opl11u" "$ORVEL_OPEN_LOG" &&
  pass "calendar page link" || fail "calendar page link not opened: $(cat "$ORVEL_OPEN_LOG")"
click 70 10     # web address label
wait_for 10 grep -qx "https://www.orvel.example/index.php?v=opl11u" "$ORVEL_OPEN_LOG" &&
  pass "home page link" || fail "home page link not opened: $(cat "$ORVEL_OPEN_LOG")"

# --- move, close politely, read the settings back ------------------------------
xdotool windowmove "$wid" 140 90
sleep 0.5
before=$(xwininfo -id "$wid" | grep -E 'Absolute upper-left (X|Y)' | awk '{print $NF}' | tr '\n' ' ')
close_politely
wait_exit
[ "$status" = 0 ] && pass "exit status 0 after a polite close" || fail "exit status $status after close: $(tail -n 20 "$work/stderr.1")"
if [ -f "$folder/orvelplan.ini" ]; then
  mapfile -t lines <"$folder/orvelplan.ini"
  [ "${#lines[@]}" -eq 8 ] && pass "eight settings lines" || fail "${#lines[@]} settings lines"
  expected="0 1 1 ${lines[3]} ${lines[4]} 2016 6 1"
  [ "${lines[*]}" = "$expected" ] && pass "settings saved: ${lines[*]}" || fail "settings are '${lines[*]}', expected '$expected'"
  grep -q $'\r' "$folder/orvelplan.ini" && fail "CR in the settings file" || true
else
  fail "no settings file after close"
fi
pages=$(grep -c '^ *2010 *$' "$work/stdout.1" || true)
[ "$pages" -ge 1 ] && grep -q '2016' "$work/stdout.1" && pass "text pages printed at each build" ||
  fail "text pages missing from standard output"

# --- second start: the choices come back ------------------------------------------
start_program 2
park
expect_pixel 120 215 $yellow "2016 restored"
expect_pixel 290 115 $yellow "2 Months / row restored"
expect_pixel 430 215 $yellow "Saturday restored"
xprop -id "$wid" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && pass "topmost from the start" || fail "not topmost after restart"
xprop -id "$wid" _NET_WM_WINDOW_OPACITY | grep -q '= 3200' && pass "translucent from the start" ||
  fail "not translucent after restart"
after=$(xwininfo -id "$wid" | grep -E 'Absolute upper-left (X|Y)' | awk '{print $NF}' | tr '\n' ' ')
[ "$after" = "$before" ] && pass "window reopened where it was closed ($after)" ||
  fail "window at $after, was closed at $before"
close_politely
wait_exit
[ "$status" = 0 ] && pass "second run ends with status 0" || fail "second run ended with $status"

echo "window_e2e: $failures failed"
[ "$failures" -eq 0 ]
