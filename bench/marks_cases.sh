#!/usr/bin/env bash
# Runs the program on each hostile iCalendar file and prints, one line each,
# the exit status, the wall and processor times, the peak memory and the message.
#   bench/marks_cases.sh PROGRAM [SECONDS]   (each run is stopped after SECONDS, 20 by default)
set -uo pipefail
program=$1 limit=${2:-20}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
python3 "$(dirname "$0")/../tests/fuzz/make_marks_seeds.py" "$folder"
run() {  # NAME YEAR ("none": no --marks)
  local stats="$folder/stats" status marks=(--marks "$folder/$1.ics")
  [ "$1" = none ] && marks=()
  /usr/bin/time -v -o "$stats" timeout -s KILL "$limit" "$program" pdf --year "$2" \
    "${marks[@]}" --output "$folder/page.pdf" 2>"$folder/err" >/dev/null
  status=$?
  [ $status -eq 137 ] && status="killed"
  printf '%-28s %4s  exit %-6s %6ss %6ss %7s KB  %s\n' "$1" "$2" "$status" \
    "$(sed -n 's/.*wall clock.*: //p' "$stats" | awk -F: '{printf "%.2f", $(NF-1)*60+$NF}')" \
    "$(awk -F': ' '/User time|System time/ { t += $2 } END { printf "%.2f", t }' "$stats")" \
    "$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$stats")" "$(head -c 100 "$folder/err" | tr -d '\n' | cat -v)"
}
printf '%-28s %4s  %-11s %7s %7s %10s  %s\n' file year result wall cpu memory message
run none 2026
for name in yearly_from_1900 weekly_from_1800 date_in_9999 nested_30000 secondly_feb_30 minutely_count_feb_30 \
            secondly_yearday_366 daily_feb_30_x100 zone_minutely zones_50_yearly_parts minutely_count_5m secondly_count_100m \
            events_100000 weekly_120000 empty escape_in_text; do
  year=2026
  [ "$name" = date_in_9999 ] && year=9999
  run "$name" "$year"
done
for name in daily_mondays_from_1 yearly_mondays_from_1 monthly_last_workday_from_1 secondly_mondays_from_1; do
  run "$name" 9999
done
run minutely_count_5m 9999
run yearly_from_1900 2583
