# A private Wine session for the Windows tests: a fresh prefix, one persistent
# wineserver, optionally a private X server. Source it, do not run it:
#
#   . tests/wine/wine_prefix.sh
#   wine_session_begin "$work/prefix" [--display]   # --display: private Xvfb for windows
#   trap wine_session_end EXIT
#   wine_record_opens "$work/opened.log"   # stand-in PDF viewer and browser
#   wine "$exe" ...
#
# wine_session_begin exports WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES (and DISPLAY
# with --display, set before the first wine call: a wineserver started without
# it gives later windows no X window), LC_ALL=en_GB.UTF-8 (Wine's user locale,
# see below) and ORVEL_WINE_SESSION=1. A test run by
# scripts/test windows finds ORVEL_WINE_SESSION set and reuses that session
# (wine_session_join) instead of making its own; run alone, it begins its own.
# wine_session_end stops the wineserver (and Xvfb) and removes the prefix.
#
# Other helpers:
#   wine_path UNIX_PATH                 the path as the Windows program sees it (Z:\...)
#   wine_register_open CLASS COMMAND    what ShellExecute runs for a file class or
#                                       protocol (pdffile, http, https); %1 is the target
#   wine_record_opens LOG               registers, for PDFs and web links, a stand-in
#                                       that appends each target to LOG, one a line
#   wine_program_data                   the prefix's C:\ProgramData as a Unix path

wine_session_pids=()
wine_session_prefix=""

wine_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

wine_program_data() {
  printf '%s/drive_c/ProgramData' "$WINEPREFIX"
}

wine_session_join() {
  [ "${ORVEL_WINE_SESSION:-}" = 1 ] && [ -d "${WINEPREFIX:-}/drive_c" ]
}

wine_session_begin() {
  local prefix=$1 display=${2:-}
  export WINEDEBUG=-all
  # No Mono or Gecko installer prompts, and winemenubuilder, which would write
  # menu entries and file associations into $HOME, is disabled.
  export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
  export WINEARCH=win64
  # Wine takes the user's locale from the environment and keeps its settings
  # (paper, first weekday) in the prefix's registry; the programs it starts in
  # the background keep the locale of the session's start. British English is
  # the locale with the C locale's calendar conventions (A4, weeks from
  # Monday, English names); Wine's stand-in for C, US English, has Letter
  # paper and weeks from Sunday.
  export LC_ALL=en_GB.UTF-8
  export WINEPREFIX
  WINEPREFIX=$(realpath -m "$prefix")
  if [ "$display" = --display ]; then
    local fd_file="$WINEPREFIX.display"
    : >"$fd_file"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
    wine_session_pids+=($!)
    local tries=0
    until grep -q '[0-9]' "$fd_file"; do
      tries=$((tries + 1))
      [ "$tries" -lt 200 ] || { echo "wine_prefix: Xvfb did not start" >&2; return 1; }
      sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$fd_file")"
    rm -f "$fd_file"
  else
    # Console programs need no X server; without DISPLAY nothing can reach the
    # caller's own desktop.
    unset DISPLAY
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wine_session_prefix=$WINEPREFIX
  # One server for the whole run: a cold start costs seconds at every program.
  # It outlives its last program by a minute only, so that a run killed
  # before wine_session_end leaves nothing behind for long.
  wineserver -p60
  wineboot --init >/dev/null 2>&1
  # Wine does not look for its own fonts where it installed them.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # A crashing program would otherwise wait on a dialog until a timeout.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  export ORVEL_WINE_SESSION=1
}

wine_session_end() {
  if [ -n "$wine_session_prefix" ]; then
    WINEPREFIX=$wine_session_prefix wineserver -k 2>/dev/null || true
    rm -rf "$wine_session_prefix"
    wine_session_prefix=""
  fi
  if [ ${#wine_session_pids[@]} -gt 0 ]; then
    kill "${wine_session_pids[@]}" 2>/dev/null || true
    wait "${wine_session_pids[@]}" 2>/dev/null || true
    wine_session_pids=()
  fi
}

wine_register_open() {
  local class=$1 command=$2
  wine reg add "HKCR\\$class\\shell\\open\\command" /ve /d "$command" /f >/dev/null 2>&1
}

wine_record_opens() {
  local log
  log=$(wine_path "$1")
  wine reg add 'HKCR\.pdf' /ve /d pdffile /f >/dev/null 2>&1
  local class
  for class in pdffile http https; do
    wine_register_open "$class" "C:\\windows\\system32\\cmd.exe /c echo %1>>\"$log\""
  done
}
