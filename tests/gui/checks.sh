# Waiting and checking steps shared by the window end-to-end tests; sourced.
# A failed check is counted in $failures; $limit (default 5) bounds each wait.
wait_for() {  # runs the command until it succeeds, for at most $1 seconds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do [ "$SECONDS" -lt "$deadline" ] || return 1; sleep 0.1; done
}
check() {
  local what=$1; shift
  if wait_for "${limit:-5}" "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}
not() { ! "$@"; }
