#!/usr/bin/env bash
# The Windows command line under Wine against the Linux build: the same PDF
# byte for byte for a sample of years, layouts, weekends, calendar options and
# marks, the same text page line for line (CR LF aside), the same messages and
# exit statuses, and the program folder under C:\ProgramData. Then as users in
# other countries start it: in the regional settings of en_US, de_DE, ru_RU
# and ja_JP (one Wine prefix; Wine takes each program's regional settings from
# LC_ALL), file names and footers in Cyrillic, Japanese, with umlauts and an
# en dash reach the file system and the page whole; and a start with no
# console and no standard handles (as from a shortcut) shows its errors in a box.
#   command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>
set -euo pipefail
usage="usage: command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>"
exe=${1:?$usage} linux=${2:?$usage} launcher=${3:?$usage}
[ -x "$linux" ] || { echo "skipped: no Linux program at $linux (scripts/build release)"; exit 77; }
. "$(cd "$(dirname "$0")" && pwd)/wine_prefix.sh"
need_tools --windows pdftotext
work=$(mktemp -d)
wine_test_session "$work"
cd "$work"   # both programs are handed names relative to it unless a test is about the path
failures=0 checks=0
expect() {  # WHAT CONDITION: CONDITION (shell text) run once, WHAT said when it fails
  checks=$((checks + 1))
  eval "$2" || { failures=$((failures + 1)); echo "FAIL: $1"; }
}
# The Windows program in the session's British English (wine_prefix.sh says
# why) or in $locale: standard output to out, standard error to err, the exit
# status in $status. The Linux program runs in the C locale unless told.
session_locale=$LC_ALL
export LC_ALL=C XDG_CACHE_HOME="$work/cache"   # the typefaces a Linux run keeps stay in the test's folder
run_exe() {
  status=0
  LC_ALL=${locale:-$session_locale} wine "$exe" "$@" >out 2>err || status=$?
  # Every failure of the program says one line; a silent one is Wine failing to
  # start it (its own messages are turned off), seen once on a loaded machine.
  # It is run again once, and the log says so.
  if [ $status != 0 ] && [ ! -s err ]; then
    echo "note: wine ended $* with status $status and said nothing; running it again"
    status=0
    LC_ALL=${locale:-$session_locale} wine "$exe" "$@" >out 2>err || status=$?
  fi
}
printed() { [ "$(cat out)" = "$1"$'\r' ]; }
said() { cat err; }

# Every line of the text page ends in CR LF; without the CRs it is the Linux page.
"$linux" text --year 2016 --weekend friday >linux.txt
run_exe text --year 2016 --weekend friday
expect "text page differs from the Linux one (status $status)" \
  '[ $status = 0 ] && [ "$(grep -c $'"'\r$'"' out)" = "$(wc -l <linux.txt)" ] && tr -d "\r" <out | cmp - linux.txt'

# The .ics files for --marks, an event a row: time zones named without their
# VTIMEZONE included; "open" ends inside its event.
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\n' | tee days.ics zones.ics open.ics >/dev/null
while IFS='|' read -r name event; do
  printf '%b\r\n' "$event" >>"$name.ics"
done <<'MARKS'
days|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260704\r\nDTEND;VALUE=DATE:20260707\r\nEND:VEVENT
days|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19000228\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\nEND:VEVENT\r\nEND:VCALENDAR
zones|BEGIN:VEVENT\r\nDTSTART;TZID=America/New_York:20260310T230000\r\nDTEND:20260312T030000Z\r\nEND:VEVENT
zones|BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20260601T003000\r\nRRULE:FREQ=DAILY;UNTIL=20260602T223000Z\r\nEND:VEVENT
zones|BEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20260105T080000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nEXDATE:20260111T230000Z\r\nEND:VEVENT\r\nEND:VCALENDAR
open|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260704
MARKS

# The same PDF as the Linux build's in the same locale: years at both ends and
# a leap year, both layouts, each way of naming the weekend, the calendar
# options whose page needs no font file (names from the system's locale data
# on both sides; without options, paper, first weekday and names come from the
# locale on both), and marks.
while read -r locale arguments; do
  LC_ALL=$locale "$linux" pdf $arguments --output linux.pdf >/dev/null
  rm -f windows.pdf
  locale=$locale run_exe pdf $arguments --output windows.pdf
  expect "pdf $arguments ($locale): status $status, $(said)" \
    '[ $status = 0 ] && [ ! -s err ] && cmp linux.pdf windows.pdf'
done <<'PAGES'
en_GB.UTF-8 --year 1 --layout 2 --weekend monday
en_GB.UTF-8 --year 2016 --layout 3 --weekend 6
en_GB.UTF-8 --year 9999 --layout 2 --weekend 0
en_GB.UTF-8 --year 2026 --paper letter --week-numbers --language de
en_GB.UTF-8 --year 2027 --paper a3 --landscape --shade-weekends --first-month 9 --language fr
en_GB.UTF-8 --year 2025 --paper legal --week-starts sunday --no-footer --language es
en_GB.UTF-8 --year 2024 --paper a5 --footer Jahresplan --language sv --compress
en_US.UTF-8 --year 2026
en_GB.UTF-8 --year 2026 --marks days.ics
en_GB.UTF-8 --year 2026 --marks zones.ics
PAGES

# Right to left, with names beyond the base font's: Arabic names and footer
# drawn from a TrueType font of the Windows fonts folder in reading order with
# joined letters (Wine's Tahoma has the joined forms), which read back as those
# words; a page drawn in typing order reads reversed.
words() { pdftotext -raw "$1" - 2>/dev/null | sed 's/\xe2\x80[\xaa-\xae]//g' | tr -s ' \n\f' '\n\n\n'; }
run_exe pdf --year 2026 --language ar --footer "تقويم 2026" --output arabic.pdf
expect "pdf --language ar: status $status, '$(said)', words '$(words arabic.pdf | paste -sd' ')'" \
  '[ $status = 0 ] && words arabic.pdf | grep -qx "ﺗﻘﻮﻳﻢ" && words arabic.pdf | grep -qx "ﻳﻨﺎﻳﺮ"'

# Without --output the calendar goes to C:\ProgramData\orvel\orvelplan\, made
# when missing, and is the C locale's page on Linux; a program folder that
# cannot be made is reported, not a crash.
data=$(wine_program_data)
rm -rf "$data/orvel"
run_exe pdf --year 2011
"$linux" pdf --year 2011 --output linux.pdf >/dev/null
expect "program folder: status $status, printed '$(cat out)', '$(said)'" \
  '[ $status = 0 ] && printed "C:\ProgramData\orvel\orvelplan\orvelplan0.pdf" &&
   cmp "$data/orvel/orvelplan/orvelplan0.pdf" linux.pdf'
# '--output -': the PDF alone on standard output, byte for byte, no CR LF added.
run_exe pdf --year 2011 --output -
expect "--output -: status $status, $(wc -c <out) bytes, '$(said)'" \
  '[ $status = 0 ] && cmp out linux.pdf && [ ! -s err ]'
rm -rf "$data/orvel"
printf 'not a folder' >"$data/orvel"
run_exe pdf --year 2011
expect "unusable program folder: status $status, '$(said)'" '[ $status = 1 ] && [ ! -s out ] &&
  grep -q "^orvelplan: cannot use the folder C:\\\\ProgramData\\\\orvel: " err'
rm -f "$data/orvel"

# From here the Linux program and the tools read UTF-8.
export LC_ALL=C.UTF-8
echo "ok: the command line as on Linux ($checks checks)"

# Names and footers in each session, most outside its code page: the file is
# made under exactly that name, the path printed is the one given, byte for
# byte in UTF-8. A footer the base font shows (umlauts) gives the Linux build's
# PDF; the others are drawn in a TrueType font of the Windows fonts folder (no
# byte identity) and read back from the page.
fixed=(--year 2026 --paper a4 --week-starts monday --language en)
"$linux" pdf "${fixed[@]}" --footer "Jahresplan für 2026" --output linux.pdf >/dev/null
footer_text() { pdftotext -l 1 "$1" - 2>/dev/null | tr -d '\f' | grep -v '^$' | tail -n 1; }
while IFS='|' read -r locale name footer; do
  target="$work/$locale/$name.pdf"
  mkdir -p "$(dirname "$target")"
  locale=$locale.UTF-8 run_exe pdf "${fixed[@]}" --footer "$footer" --output "$(wine_path "$target")"
  expect "$locale '$name' '$footer': status $status, printed '$(cat out)', reads '$(footer_text "$target")', '$(said)'" \
    '[ $status = 0 ] && printed "$(wine_path "$target")" && [ "$(footer_text "$target")" = "$footer" ] &&
     { [ "$footer" != "Jahresplan für 2026" ] || cmp "$target" linux.pdf; }'
done <<'SESSIONS'
en_US|Календарь 2026|Plan 2026 – 2027
de_DE|2026–2027|Календарь на 2026 год
ru_RU|Jahresplan für 2026|Jahresplan für 2026
ja_JP|予定/カレンダー|Jahresplan für 2026
SESSIONS
# With a CJK collection in the fonts folder (the Debian font under the name of
# a Windows one that is also a .ttc), Japanese names and footers are drawn in
# its first face, embedded.
cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
locale=ja_JP.UTF-8 run_exe pdf --year 2026 --language ja --footer "2026年カレンダー" --output ja.pdf
expect "--language ja with a CJK collection: status $status, '$(said)'" \
  '[ $status = 0 ] && [ ! -s err ] && grep -aq /FontFile2 ja.pdf &&
   [ "$(footer_text ja.pdf)" = "2026年カレンダー" ] && pdftotext ja.pdf - 2>/dev/null | grep -q "^12月$"'
rm "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
# Redirected messages are UTF-8 too: the name and the system's reason; nothing is made.
locale=ru_RU.UTF-8 run_exe pdf --output "$(wine_path "$work/нет/Отчёт.pdf")"
expect "ru_RU, missing folder: status $status, '$(said)'" '[ $status = 1 ] && [ ! -s out ] &&
  grep -q "cannot write .*нет\\\\Отчёт.pdf: " err && iconv -f UTF-8 -t UTF-8 err >/dev/null && [ ! -e нет ]'
echo "ok: names and footers in the regional settings of four countries"

# Started with no console (as from a shortcut): the launcher reports each
# message box and the exit status on its own standard output, in the file
# report. Boxes need a display.
start_console_less() {  # LOCALE ARGUMENTS...
  local locale=$1; shift
  LC_ALL=$locale.UTF-8 wine "$launcher" "$(wine_path "$exe")" "$@" 2>&1 | tr -d '\r' >report || true
}
[ -n "${DISPLAY:-}" ] || echo "skipped: the start without a console (no display for its message boxes)"
# Bad input (the unit tests check each message) in the row's regional
# settings: the Linux message and status 2, nothing on standard output, no
# file; started with no console, the same lines in a box.
while read -r locale arguments; do
  expected=$("$linux" $arguments --output bad.pdf 2>&1 >/dev/null || true)
  locale=$locale.UTF-8 run_exe $arguments --output bad.pdf
  expect "'$arguments' ($locale): status $status, error '$(said)', expected '$expected'" \
    '[ $status = 2 ] && [ ! -s out ] && [ "$(tr -d "\r" <err)" = "$expected" ] && [ ! -e bad.pdf ]'
  [ -n "${DISPLAY:-}" ] || continue
  start_console_less "$locale" $arguments --output bad.pdf
  expect "console-less '$arguments' ($locale): '$(cat report)', expected a box with '$expected'" \
    '[ "$(cat report)" = "box none Orvel Planner: $expected"$'"'\n'"'"exit 2" ] && [ ! -e bad.pdf ]'
done <<'BAD'
en_GB pdf --year 0
en_US print
ja_JP pdf --paper b4
ru_RU pdf --w 1
de_DE pdf --marks open.ics
BAD

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
