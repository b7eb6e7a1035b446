# A private Wine session for the Windows tests; sourced. wine_session_begin PREFIX
# [--display] makes a fresh prefix with one wineserver (and a private Xvfb) and
# sets LC_ALL=en_GB.UTF-8 (see below) and ORVEL_WINE_SESSION=1, which tests run
# by scripts/test windows join (wine_session_join); wine_session_end stops them
# and removes the prefix. A test that needs other regional settings sets
# LC_ALL for each wine call in the same prefix (the ANSI and OEM code pages,
# paper and first weekday follow it) rather than making a prefix of its own.
. "$(dirname "${BASH_SOURCE[0]}")/../gui/checks.sh"

wine_session_pids=()
wine_session_prefix=""

# A Unix path as the Windows program sees it.
wine_path() { local path; path=$(realpath -m "$1"); printf 'Z:%s' "${path//\//\\}"; }
wine_program_data() { printf '%s/drive_c/ProgramData' "$WINEPREFIX"; }
wine_session_join() { [ "${ORVEL_WINE_SESSION:-}" = 1 ] && [ -d "${WINEPREFIX:-}/drive_c" ]; }

# A test script's session: the running one when there is one (with a display
# when --display is asked for), otherwise one of its own in WORK/prefix, ended
# with the script; at the end the script's wine_test_finish runs and WORK is
# removed.
wine_test_finish() { :; }
wine_test_session() {
  local work=$1 display=${2:-}
  if wine_session_join && { [ -z "$display" ] || [ -n "${DISPLAY:-}" ]; }; then
    trap "wine_test_finish; rm -rf '$work'" EXIT
  else
    trap "wine_test_finish; wine_session_end; rm -rf '$work'" EXIT
    wine_session_begin "$work/prefix" $display
  fi
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
    # Before the first wine call: a wineserver started without DISPLAY gives later windows no X window.
    start_xvfb "$WINEPREFIX.display" || return 1
    wine_session_pids+=("$xvfb_pid")
    rm -f "$WINEPREFIX.display"
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

# LOG [OPENER]: ShellExecute hands PDFs and web links to cmd, or to the
# stand-in OPENER, which appends each to LOG, one a line.
wine_record_opens() {
  local class command
  command="C:\\windows\\system32\\cmd.exe /c echo %1>>\"$(wine_path "$1")\""
  [ $# = 1 ] || command="\"$(wine_path "$2")\" \"$(wine_path "$1")\" \"%1\""
  wine reg add 'HKCR\.pdf' /ve /d pdffile /f >/dev/null 2>&1
  for class in pdffile http https; do
    wine reg add "HKCR\\$class\\shell\\open\\command" /ve /d "$command" /f >/dev/null 2>&1
  done
}
