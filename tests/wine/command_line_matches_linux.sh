#!/usr/bin/env bash
# The Windows command line under Wine against the Linux build: the same PDF
# byte for byte, with and without calendar options, the same text page line
# for line (CR LF aside), the same messages and exit statuses, and the program
# folder under C:\ProgramData. Then as users in other countries start it: in
# the regional settings of en_GB, en_US, de_DE, ru_RU and ja_JP (one Wine
# prefix; Wine takes each program's regional settings from LC_ALL), file names
# and footers in Cyrillic, Japanese, with umlauts and an en dash reach the file
# system and the page whole; and a start with no console and no standard
# handles (as from a shortcut) keeps its calendar and shows its errors in a box.
#   command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>
set -euo pipefail
usage="usage: command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>"
exe=${1:?$usage} linux=${2:?$usage} launcher=${3:?$usage}
[ -x "$linux" ] || { echo "skipped: no Linux program at $linux (scripts/build release)"; exit 77; }
. "$(cd "$(dirname "$0")" && pwd)/wine_prefix.sh"
work=$(mktemp -d)
wine_test_session "$work"
failures=0 checks=0
expect() {  # WHAT CONDITION: CONDITION (shell text) run once, WHAT said when it fails
  checks=$((checks + 1))
  eval "$2" || { failures=$((failures + 1)); echo "FAIL: $1"; }
}
# The Windows program in the session's British English (wine_prefix.sh says
# why) or in $locale: standard output to $work/out, standard error to
# $work/err, the exit status in $status. The Linux program runs in the C locale.
session_locale=$LC_ALL
export LC_ALL=C XDG_CACHE_HOME="$work/cache"   # the typefaces a Linux run keeps stay in the test's folder
run_exe() {
  status=0
  LC_ALL=${locale:-$session_locale} wine "$exe" "$@" >"$work/out" 2>"$work/err" || status=$?
}
printed() { [ "$(cat "$work/out")" = "$1"$'\r' ]; }
said() { cat "$work/err"; }

for year in 2010 2013 2016 2026 1 9999; do
  for layout in 3 2; do
    for weekend in 0 monday 6; do
      name="$year-$layout-$weekend" target=$(wine_path "$work/windows.pdf")
      rm -f "$work/windows.pdf"
      "$linux" pdf --year "$year" --layout "$layout" --weekend "$weekend" --output "$work/linux.pdf" >/dev/null
      run_exe pdf --year "$year" --layout "$layout" --weekend "$weekend" --output "$target"
      expect "pdf $name: status $status, printed '$(cat "$work/out")', $(said)" \
        '[ $status = 0 ] && printed "$target" && cmp "$work/linux.pdf" "$work/windows.pdf"'
    done
  done
  # Every line of the text page ends in CR LF; without the CRs it is the Linux page.
  "$linux" text --year "$year" --weekend friday >"$work/linux.txt"
  run_exe text --year "$year" --weekend friday
  expect "text --year $year differs from the Linux page (status $status)" \
    '[ $status = 0 ] && [ "$(grep -c $'"'\r$'"' "$work/out")" = "$(wc -l <"$work/linux.txt")" ] &&
     tr -d "\r" <"$work/out" | cmp - "$work/linux.txt"'
done

"$linux" --version >"$work/linux.txt"
run_exe --version
expect "--version: $(tr -d '\r' <"$work/out")" '[ $status = 0 ] && tr -d "\r" <"$work/out" | cmp -s - "$work/linux.txt"'

# Bad input: the Linux message and status 2, nothing on standard output, no file.
for arguments in "pdf --year 0" "pdf --layout 1" "text --open" "print" "pdf --weekend 7" "pdf --w 1" "pdf --lay 4"; do
  output=(--output "$work/bad.pdf")
  [ "${arguments%% *}" = text ] && output=()
  expected=$("$linux" $arguments "${output[@]}" 2>&1 >/dev/null || true)
  [ "${arguments%% *}" = text ] || output=(--output "$(wine_path "$work/bad.pdf")")
  run_exe $arguments "${output[@]}"
  expect "'$arguments': status $status, error '$(said)', expected '$expected'" \
    '[ $status = 2 ] && [ ! -s "$work/out" ] && [ "$(tr -d "\r" <"$work/err")" = "$expected" ] && [ ! -e "$work/bad.pdf" ]'
done

# The calendar options whose page needs no font file: the same PDF as the
# Linux build's, names from the system's locale data on both sides; without
# options, paper, first weekday and names come from the locale on both.
while read -r locale arguments; do
  LC_ALL=$locale "$linux" pdf $arguments --output "$work/linux.pdf" >/dev/null
  rm -f "$work/windows.pdf"
  locale=$locale run_exe pdf $arguments --output "$(wine_path "$work/windows.pdf")"
  expect "pdf $arguments ($locale): status $status, $(said)" \
    '[ $status = 0 ] && [ ! -s "$work/err" ] && cmp "$work/linux.pdf" "$work/windows.pdf"'
done <<'SETS'
en_GB.UTF-8 --year 2026 --paper letter --week-numbers --language de
en_GB.UTF-8 --year 2027 --paper a3 --landscape --shade-weekends --first-month 9 --language fr
en_GB.UTF-8 --year 2025 --paper legal --week-starts sunday --no-footer --language es
en_GB.UTF-8 --year 2024 --paper a5 --footer Jahresplan --language sv --compress
en_GB.UTF-8 --year 2026 --layout 2 --week-numbers --week-starts saturday --language it --landscape
en_GB.UTF-8 --year 2026 --language nl --first-month 4 --week-numbers
en_US.UTF-8 --year 2026
de_DE.UTF-8 --year 2026 --week-numbers
fr_FR.UTF-8 --year 2028 --layout 2
SETS
locale=""

# Names beyond the base font's: a TrueType font of the Windows fonts folder is
# embedded (not byte for byte: the font file is another than on Linux).
run_exe pdf --year 2026 --language pl --output "$(wine_path "$work/polish.pdf")"
expect "pdf --language pl: status $status, '$(said)'" '[ $status = 0 ] && grep -aq /FontFile2 "$work/polish.pdf"'

# Right to left: Arabic names and footer drawn in reading order with joined
# letters (Wine's Tahoma has the joined forms), which read back as those words;
# a page drawn in typing order reads reversed. Wine's fonts have no Hebrew: a
# Hebrew footer is refused with status 2, never drawn reversed.
words() { pdftotext -raw "$1" - 2>/dev/null | sed 's/\xe2\x80[\xaa-\xae]//g' | tr -s ' \n\f' '\n\n\n'; }
run_exe pdf --year 2026 --language ar --footer "تقويم 2026" --output "$(wine_path "$work/arabic.pdf")"
expect "pdf --language ar: status $status, '$(said)', words '$(words "$work/arabic.pdf" | paste -sd' ')'" \
  '[ $status = 0 ] && words "$work/arabic.pdf" | grep -qx "ﺗﻘﻮﻳﻢ" && words "$work/arabic.pdf" | grep -qx "ﻳﻨﺎﻳﺮ"'
run_exe pdf --footer "שלום" --output "$(wine_path "$work/hebrew.pdf")"
expect "pdf --footer in Hebrew: status $status, '$(said)'" \
  '[ $status = 2 ] && head -n1 "$work/err" | grep -q font && [ ! -e "$work/hebrew.pdf" ]'

# --marks: the Linux build's page byte for byte from the same .ics, a time
# zone named without its VTIMEZONE included; a bad file gives the Linux
# message (its path the Windows one), status 2 and no file.
while IFS='|' read -r name year events; do
  printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\n%b' "$events" >"$work/$name.ics"
  expected=$("$linux" pdf --year "$year" --marks "$work/$name.ics" --output "$work/linux.pdf" 2>&1 >/dev/null) &&
    status_linux=0 || status_linux=$?
  rm -f "$work/windows.pdf"
  run_exe pdf --year "$year" --marks "$(wine_path "$work/$name.ics")" --output "$(wine_path "$work/windows.pdf")"
  if [ "$status_linux" = 0 ]; then
    expect "--marks $name: status $status, '$(said)'" \
      '[ $status = 0 ] && [ ! -s "$work/err" ] && cmp "$work/linux.pdf" "$work/windows.pdf"'
  else
    expected=${expected//"$work/$name.ics"/$(wine_path "$work/$name.ics")}
    expect "--marks $name: status $status, '$(said)', expected '$expected'" \
      '[ $status = 2 ] && [ ! -s "$work/out" ] && [ "$(tr -d "\r" <"$work/err")" = "$expected" ] && [ ! -e "$work/windows.pdf" ]'
  fi
done <<'MARKS'
all-day|2026|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260704\r\nDTEND;VALUE=DATE:20260707\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n
yearly|2026|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19000229\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19001225\r\nRRULE:FREQ=YEARLY\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n
zone-end|2026|BEGIN:VEVENT\r\nDTSTART;TZID=America/New_York:20260310T230000\r\nDTEND:20260312T030000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n
zone-until|2026|BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:20260601T003000\r\nRRULE:FREQ=DAILY;UNTIL=20260602T223000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n
zone-exdate|2026|BEGIN:VEVENT\r\nDTSTART;TZID=Asia/Tokyo:20260105T080000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nEXDATE:20260111T230000Z\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n
open|2026|BEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20260704\r\n
MARKS

# The help of Windows, however it is asked for: the program folder under
# C:\ProgramData, regional settings rather than locale variables, and --marks.
run_exe --help
cp "$work/out" "$work/help.txt"
for arguments in "/?" "-?" "/help" "pdf /?"; do
  run_exe $arguments
  expect "'$arguments' does not print the help: status $status, '$(said)'" \
    '[ $status = 0 ] && cmp -s "$work/out" "$work/help.txt" && [ ! -s "$work/err" ]'
done
expect "the Windows help: $(tr -d '\r' <"$work/help.txt")" \
  'grep -qF "C:\ProgramData\orvel\orvelplan\\" "$work/help.txt" && grep -q "regional settings" "$work/help.txt" &&
   ! grep -qE "LC_|locale|orvelplan\(1\)|XDG" "$work/help.txt" && grep -q -- --marks "$work/help.txt"'

# Without --output the calendar goes to C:\ProgramData\orvel\orvelplan\, made
# when missing; a program folder that cannot be made is reported, not a crash.
data=$(wine_program_data)
rm -rf "$data/orvel"
run_exe pdf --year 2011
"$linux" pdf --year 2011 --output "$work/linux.pdf" >/dev/null
expect "program folder: status $status, printed '$(cat "$work/out")', '$(said)'" \
  '[ $status = 0 ] && printed "C:\ProgramData\orvel\orvelplan\orvelplan0.pdf" &&
   cmp "$data/orvel/orvelplan/orvelplan0.pdf" "$work/linux.pdf"'
# '--output -': the PDF alone on standard output, byte for byte, no CR LF added;
# NUL is written into and stays a device.
run_exe pdf --year 2011 --output -
expect "--output -: status $status, $(wc -c <"$work/out") bytes, '$(said)'" \
  '[ $status = 0 ] && cmp "$work/out" "$work/linux.pdf" && [ ! -s "$work/err" ]'
run_exe pdf --year 2011 --output NUL
expect "--output NUL: status $status, '$(said)'" '[ $status = 0 ] && printed NUL'
rm -rf "$data/orvel"
printf 'not a folder' >"$data/orvel"
run_exe pdf --year 2011
expect "unusable program folder: status $status, '$(said)'" '[ $status = 1 ] && [ ! -s "$work/out" ] &&
  grep -q "^orvelplan: cannot use the folder C:\\\\ProgramData\\\\orvel: " "$work/err"'
rm -f "$data/orvel"

# --open hands exactly the written path to the PDF viewer the prefix names.
wine_record_opens "$work/opened.log"
target="$work/open me.pdf"
run_exe pdf --year 2012 --output "$(wine_path "$target")" --open
wait_for 10 test -s "$work/opened.log" || true
expect "--open: status $status, viewer got '$(cat "$work/opened.log" 2>/dev/null)', '$(said)'" \
  '[ $status = 0 ] && [ -f "$target" ] && [ "$(tr -d "\r\"" <"$work/opened.log" | sed "s/ *$//")" = "$(wine_path "$target")" ]'
echo "ok: the command line as on Linux ($checks checks)"

# What Windows reads from the file itself: the manifest that makes UTF-8 the
# code page, and the version information, with the Linux build's version and
# copyright line.
export LC_ALL=C.UTF-8
if command -v wrestool >/dev/null; then
  version=$("$linux" --version | sed -n '1s/.* //p') copyright=$("$linux" --version | sed -n 2p)
  strings=$(wrestool -x --raw --type=16 --name=1 "$exe" | tr -d '\0' | strings -n 3 | paste -sd'|')
  manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
  expect "resources: version '$strings', manifest of ${#manifest} bytes" \
    '[[ $strings == *"FileVersion$version"*"LegalCopyright$copyright"*"OriginalFilenameorvelplan.exe"* ]] &&
     [[ $manifest == *">UTF-8</activeCodePage>"* ]]'
else
  echo "skipped: the resources (no wrestool: scripts/setup --windows)"
fi

# Names: the file is made under exactly that name, the path printed is the one
# given, byte for byte in UTF-8, and the PDF is the Linux build's. Footers: one
# the base font shows gives the Linux build's PDF; the others are drawn in a
# TrueType font of the Windows fonts folder (no byte identity) and read back
# from the page. The prefix has no font with Japanese letters: that footer is
# refused with one line and status 2, as on Linux without one (an empty font
# configuration).
fixed=(--year 2026 --paper a4 --week-starts monday --language en)
"$linux" pdf "${fixed[@]}" --output "$work/linux.pdf" >/dev/null
"$linux" pdf "${fixed[@]}" --footer "Jahresplan für 2026" --output "$work/linux-footer.pdf" >/dev/null
printf '<fontconfig/>\n' >"$work/fonts.conf"
japanese=$(FONTCONFIG_FILE="$work/fonts.conf" "$linux" pdf "${fixed[@]}" --footer "2026年カレンダー" --output "$work/l.pdf" 2>&1 >/dev/null || true)
footer_text() { pdftotext -l 1 "$1" - 2>/dev/null | tr -d '\f' | grep -v '^$' | tail -n 1; }
for locale in en_GB en_US de_DE ru_RU ja_JP; do
  for name in "Календарь 2026" "予定/カレンダー" "Jahresplan für 2026" "2026–2027"; do
    target="$work/$locale/$name.pdf"
    mkdir -p "$(dirname "$target")"
    locale=$locale.UTF-8 run_exe pdf "${fixed[@]}" --output "$(wine_path "$target")"
    expect "$locale, name '$name': status $status, printed '$(cat "$work/out")', '$(said)'" \
      '[ $status = 0 ] && printed "$(wine_path "$target")" && cmp "$target" "$work/linux.pdf"'
  done
  for footer in "Jahresplan für 2026" "Plan 2026 – 2027" "Календарь на 2026 год"; do
    rm -f "$work/footer.pdf"
    locale=$locale.UTF-8 run_exe pdf "${fixed[@]}" --footer "$footer" --output "$(wine_path "$work/footer.pdf")"
    expect "$locale, footer '$footer': status $status, page reads '$(footer_text "$work/footer.pdf")', '$(said)'" \
      '[ $status = 0 ] && [ "$(footer_text "$work/footer.pdf")" = "$footer" ] &&
       { [ "$footer" != "Jahresplan für 2026" ] || cmp "$work/footer.pdf" "$work/linux-footer.pdf"; }'
  done
  rm -f "$work/footer.pdf"
  locale=$locale.UTF-8 run_exe pdf "${fixed[@]}" --footer "2026年カレンダー" --output "$(wine_path "$work/footer.pdf")"
  expect "$locale, Japanese footer: status $status, '$(said)'" \
    '[ $status = 2 ] && [ "$(tr -d "\r" <"$work/err")" = "$japanese" ] && [ ! -e "$work/footer.pdf" ]'
done
# Japanese names with no font for them: English names, the footer kept whole.
locale=ja_JP.UTF-8 run_exe pdf --year 2026 --footer "Plan 2026 – 2027" --output "$(wine_path "$work/ja.pdf")"
expect "ja_JP names, en dash footer: status $status, '$(said)'" \
  '[ $status = 0 ] && grep -q "the calendar is in English" "$work/err" && [ "$(footer_text "$work/ja.pdf")" = "Plan 2026 – 2027" ]'
# With a CJK collection in the fonts folder (the Debian font under the name of
# a Windows one that is also a .ttc), Japanese names and footers are drawn in
# its first face, embedded.
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
if [ -f "$cjk" ]; then
  cp "$cjk" "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
  locale=ja_JP.UTF-8 run_exe pdf --year 2026 --language ja --footer "2026年カレンダー" --output "$(wine_path "$work/ja.pdf")"
  expect "--language ja with a CJK collection: status $status, '$(said)'" \
    '[ $status = 0 ] && [ ! -s "$work/err" ] && grep -aq /FontFile2 "$work/ja.pdf" &&
     [ "$(footer_text "$work/ja.pdf")" = "2026年カレンダー" ] && pdftotext "$work/ja.pdf" - 2>/dev/null | grep -q "^12月$"'
  rm -f "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
fi
# Redirected messages are UTF-8 too: the name and the system's reason; nothing is made.
locale=ru_RU.UTF-8 run_exe pdf --output "$(wine_path "$work/нет/Отчёт.pdf")"
expect "ru_RU, missing folder: status $status, '$(said)'" '[ $status = 1 ] && [ ! -s "$work/out" ] &&
  grep -q "cannot write .*нет\\\\Отчёт.pdf: " "$work/err" && iconv -f UTF-8 -t UTF-8 "$work/err" >/dev/null && [ ! -e "$work/нет" ]'
echo "ok: names and footers in the regional settings of five countries"

# Started with no console: the launcher reports each message box and the exit
# status on its own standard output. Boxes need a display.
if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: the start without a console (no display for its message boxes)"
else
  start_console_less() {  # LOCALE ARGUMENTS...: the launcher's report in $work/report
    local locale=$1; shift
    LC_ALL=$locale.UTF-8 wine "$launcher" "$(wine_path "$exe")" "$@" 2>&1 | tr -d '\r' >"$work/report" || true
  }
  wine_record_opens "$work/opened.log"
  calendar="$(wine_program_data)/orvel/orvelplan/orvelplan0.pdf"
  rm -rf "$(wine_program_data)/orvel"
  # The path cannot be printed: the calendar stays all the same, and opens.
  start_console_less de_DE pdf --year 2027 --footer "Jahresplan für 2027 – Календарь" --open
  wait_for 10 grep -qF orvelplan0.pdf "$work/opened.log" || true
  expect "console-less --open: '$(cat "$work/report")', viewer got '$(cat "$work/opened.log" 2>/dev/null)'" \
    '[ "$(cat "$work/report")" = "exit 0" ] && [ "$(footer_text "$calendar")" = "Jahresplan für 2027 – Календарь" ] &&
     grep -qF orvelplan0.pdf "$work/opened.log"'
  # An error is shown in a box with the error icon, the line standard error has.
  while read -r locale status arguments; do
    expected=$("$linux" $arguments 2>&1 >/dev/null || true)
    start_console_less "$locale" $arguments
    expect "console-less '$arguments': '$(cat "$work/report")', expected a box with '$expected'" \
      '[ "$(cat "$work/report")" = "box none icon Orvel Planner: $expected"$'"'\n'"'"exit $status" ]'
  done <<'STARTS'
en_US 2 pdf --year 0
ja_JP 2 pdf --paper b4
ru_RU 2 text --open
STARTS
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
