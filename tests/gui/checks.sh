# Steps shared by the window end-to-end tests (Linux and Wine); sourced.
# A failed check is counted in $failures; $limit (default 5) bounds each wait.
# The window steps use $work, $wid, $app_pid, $pids, $version, $folder (the
# program folder), $shown_folder (that folder as the viewer is handed it) and
# the caller's launch (execs the program, so that $app_pid is its own) and
# close_window (asks it to close).
wait_for() {  # runs the command until it succeeds, for at most $1 seconds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ "$SECONDS" -lt "$deadline" ] || return 1; sleep 0.1; done
}
check() {
  local what=$1; shift
  if wait_for "${limit:-5}" "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
not() { ! "$@"; }
matches() { [[ $1 =~ ^$2$ ]]; }  # TEXT REGULAR-EXPRESSION
end_programs() { kill "${pids[@]}" 2>/dev/null || true; wait "${pids[@]}" 2>/dev/null || true; }
need_tools() {  # exits 77 (skipped) when a tool is missing; $1 names the set-up option
  local option=$1 tool; shift
  for tool; do command -v "$tool" >/dev/null || { echo "${0##*/}: no $tool (scripts/setup $option); skipped"; exit 77; }; done
}
start_xvfb() {  # a private X server: exports DISPLAY, sets xvfb_pid
  : >"$1"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1" 2>/dev/null & xvfb_pid=$!
  wait_for 20 grep -q '[0-9]' "$1" || { echo "FAIL: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n 1 "$1")"
}
managed() {  # a window manager's check window is named on the root and still exists
  local id
  id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
  [ -n "$id" ] && xprop -id "$id" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}
managed_or_gone() { managed || ! kill -0 "$1" 2>/dev/null; }
window_manager() {  # stacking and activation requests go through one; its files stay in $work
  managed && return
  local try wm
  mkdir -p "$work/wm-home"
  for try in 1 2; do   # a busy machine may be slow to start it, or it may stop early: once more
    HOME="$work/wm-home" XDG_CONFIG_HOME="$work/wm-home" XDG_CACHE_HOME="$work/wm-home" \
      openbox --sm-disable >>"$work/openbox.log" 2>&1 & wm=$! pids+=($!)
    wait_for 60 managed_or_gone "$wm"
    managed && return
    kill "$wm" 2>/dev/null || true
  done
  echo "FAIL: no openbox; it said:"; tail -n 20 "$work/openbox.log"; exit 1
}
windows() { xdotool search --onlyvisible --name "^Orvel Planner ${version//./\\.}\$"; }
find_window() { wid=$(windows | head -n1); [ -n "$wid" ]; }
start_program() {
  launch >"$work/stdout" 2>"$work/stderr" & app_pid=$! pids+=($!)
  wait_for 30 find_window || { cat "$work/stderr"; echo "FAIL: no window"; exit 1; }
}
close_politely() {  # close_window sends what the close button sends
  local status=0 try
  # On a loaded machine the key can reach the window manager before the window
  # is active again, and is lost: it is sent up to three times.
  for try in 1 2 3; do
    close_window
    wait_for 10 not kill -0 "$app_pid" && break
  done
  kill -0 "$app_pid" 2>/dev/null && kill -9 "$app_pid"
  wait "$app_pid" || status=$?
  [ "$status" = 0 ] || tail -n5 "$work/stderr"
  check "exit status 0 after a polite close (got $status)" [ "$status" = 0 ]
}
opened() { grep -qxF "$1" <(tr -d '\r' <"$work/opened"); }
is_pdf() { pdfinfo "$1" | grep -qE '^Pages: +1$'; }
has() { xprop -id "$wid" "$1" | grep -q -- "$2"; }
# Client pixel as RRGGBB, the client area at ($ox, $oy) of the window; every check takes a new screenshot.
pixel() {
  import-im6.q16 -window "$wid" "$work/shot.png" &&
    convert-im6.q16 "$work/shot.png" -format "%[hex:p{$(($1 + ${ox:-0})),$(($2 + ${oy:-0}))}]" info:
}
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
coral() {  # the Create Calendar button's face
  local c; c=$(pixel 160 300)
  [ ${#c} = 6 ] && (( 16#${c:0:2} > 200 && 16#${c:2:2} > 90 && 16#${c:2:2} < 170 && 16#${c:4:2} > 80 && 16#${c:4:2} < 160 ))
}
point() { xdotool mousemove --window "$wid" $(($1 + ${ox:-0})) $(($2 + ${oy:-0})); }
click() { point "$1" "$2" && xdotool click 1; }
rows() {  # with the pointer parked on the background: captions salmon, chosen rows yellow
  local colour=$1 what=$2; shift 2
  point 50 390
  for p in "$@"; do check "$what: row at $p" pixel_is ${p/,/ } "$colour"; done
}
# A first start's look, a hovered row, the three choices and a calendar.
first_start() {
  rows FF967D "caption rows" 120,75 290,75 430,75
  rows FFFF00 "first start" 120,95 290,95 430,95
  check "coral Create Calendar" coral
  xdotool windowactivate --sync "$wid"
  point 80 140 && check "hovered row green" pixel_is 120 140 00FF00
  click 80 220 && click 230 120 && click 385 220   # 2016, two months a row, Saturday
  rows FFFF00 "chosen" 120,215 290,115 430,215
  create_calendar 0
}
restored() {  # a second start: the choices, on top and translucent
  rows FFFF00 "restored" 120,215 290,115 430,215
  check "topmost from the start" has _NET_WM_STATE _NET_WM_STATE_ABOVE
  check "translucent from the start" has _NET_WM_WINDOW_OPACITY "$1"
}
toggles_and_links() {  # $1: the opacity property as the X server shows it; links carry $tag
  click 441 11 && check "opacity 190 of 255" has _NET_WM_WINDOW_OPACITY "$1"
  click 461 11 && check "topmost" has _NET_WM_STATE _NET_WM_STATE_ABOVE
  click 421 11 && limit=15 check "calendar page link" opened "https://www.orvel.example/calendar/index.php?v=$tag"
  click 70 10 && limit=15 check "home page link" opened "https://www.orvel.example/index.php?v=$tag"
}
create_calendar() {  # N: Create Calendar makes orvelplanN.pdf and hands it to the viewer
  click 235 325
  limit=30 check "viewer handed orvelplan$1.pdf" opened "${shown_folder}orvelplan$1.pdf"
  check "orvelplan$1.pdf is a one-page PDF" is_pdf "$folder/orvelplan$1.pdf"
}
# REGULAR-EXPRESSION: after a polite close, the settings file's lines joined by spaces.
closed_with_settings() {
  local lines
  close_politely
  mapfile -t lines < <(tr -d '\r' <"$folder/orvelplan.ini" 2>/dev/null)
  check "settings saved: ${lines[*]}" matches "${lines[*]}" "$1"
}
