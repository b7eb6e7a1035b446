#!/usr/bin/env bash
# The Windows command line under Wine against the Linux build: the same PDF
# byte for byte, with and without calendar options, the same text page line
# for line (CR LF aside), the same messages and exit statuses, and the program
# folder under C:\ProgramData.
#   command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan>
set -euo pipefail
exe=${1:?usage: command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan>}
linux=${2:?usage: command_line_matches_linux.sh <orvelplan.exe> <Linux orvelplan>}
[ -x "$linux" ] || { echo "skipped: no Linux program at $linux (scripts/build release)"; exit 77; }
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine_prefix.sh"
work=$(mktemp -d)
if wine_session_join; then
  trap 'rm -rf "$work"' EXIT
else
  trap 'wine_session_end; rm -rf "$work"' EXIT
  wine_session_begin "$work/prefix"
fi
failures=0 checks=0
pass() { checks=$((checks + 1)); }
fail() { checks=$((checks + 1)); failures=$((failures + 1)); echo "FAIL: $*"; }

# The Linux program runs in the C locale, the Windows one in the session's
# British English (wine_prefix.sh says why), or in the locale a check names.
windows_locale=$LC_ALL
export LC_ALL=C

# Runs the Windows program: standard output to $work/out, standard error to
# $work/err; sets $status.
run_exe() {
  status=0
  LC_ALL=$windows_locale wine "$exe" "$@" >"$work/out" 2>"$work/err" || status=$?
}

compared=0
for year in 2010 2013 2016 2026 1 9999; do
  for layout in 3 2; do
    for weekend in 0 monday 6; do
      name="$year-$layout-$weekend"
      "$linux" pdf --year "$year" --layout "$layout" --weekend "$weekend" --output "$work/linux-$name.pdf" >/dev/null
      run_exe pdf --year "$year" --layout "$layout" --weekend "$weekend" --output "$(wine_path "$work/windows-$name.pdf")"
      if [ "$status" -ne 0 ]; then
        fail "pdf $name: exit status $status: $(cat "$work/err")"
      elif [ "$(cat "$work/out")" != "$(wine_path "$work/windows-$name.pdf")"$'\r' ]; then
        fail "pdf $name printed '$(tr -d '\r' <"$work/out")'"
      elif ! cmp -s "$work/linux-$name.pdf" "$work/windows-$name.pdf"; then
        fail "pdf $name differs from the Linux one: $(cmp "$work/linux-$name.pdf" "$work/windows-$name.pdf" 2>&1 || true)"
      else
        pass
        compared=$((compared + 1))
      fi
    done
  done
  # Every line of the text page ends in CR LF; without the CRs it is the Linux page.
  "$linux" text --year "$year" --weekend friday >"$work/linux.txt"
  run_exe text --year "$year" --weekend friday
  if [ "$status" -ne 0 ] || [ "$(grep -c $'\r$' "$work/out")" -ne "$(wc -l <"$work/linux.txt")" ] ||
     ! tr -d '\r' <"$work/out" | cmp -s - "$work/linux.txt"; then
    fail "text --year $year differs from the Linux page (status $status)"
    diff <(tr -d '\r' <"$work/out") "$work/linux.txt" | head -n 5 || true
  else
    pass
  fi
done
echo "ok: $compared PDFs byte-identical to the Linux build's, text pages of 6 years line for line"

# The same version text.
"$linux" --version >"$work/linux.txt"
run_exe --version
if [ "$status" -eq 0 ] && tr -d '\r' <"$work/out" | cmp -s - "$work/linux.txt"; then
  pass
else
  fail "--version: $(diff <(tr -d '\r' <"$work/out") "$work/linux.txt" | head -n 5)"
fi

# Bad input: the Linux message and status 2, nothing on standard output, no file.
for arguments in "pdf --year 0" "pdf --layout 1" "text --open" "print" "pdf --weekend 7" "pdf --w 1" "pdf --lay 4"; do
  expected=$("$linux" $arguments --output "$work/bad.pdf" 2>&1 >/dev/null || true)
  [ "${arguments%% *}" = text ] && expected=$("$linux" $arguments 2>&1 >/dev/null || true)
  if [ "${arguments%% *}" = text ]; then run_exe $arguments; else run_exe $arguments --output "$(wine_path "$work/bad.pdf")"; fi
  if [ "$status" -eq 2 ] && [ ! -s "$work/out" ] && [ "$(tr -d '\r' <"$work/err")" = "$expected" ] && [ ! -e "$work/bad.pdf" ]; then
    pass
  else
    fail "'$arguments': status $status, error '$(cat "$work/err")', expected '$expected'"
  fi
done

# The calendar options whose page needs no font file: the same PDF as the
# Linux build's, names from the system's locale data on both sides; without
# options, paper, first weekday and names come from the locale on both.
options_compared=0
while read -r locale arguments; do
  name="options-$options_compared"
  LC_ALL=$locale "$linux" pdf $arguments --output "$work/linux-$name.pdf" >/dev/null
  windows_locale=$locale run_exe pdf $arguments --output "$(wine_path "$work/windows-$name.pdf")"
  if [ "$status" -ne 0 ] || [ -s "$work/err" ]; then
    fail "pdf $arguments ($locale): exit status $status: $(cat "$work/err")"
  elif ! cmp -s "$work/linux-$name.pdf" "$work/windows-$name.pdf"; then
    fail "pdf $arguments ($locale) differs from the Linux one: $(cmp "$work/linux-$name.pdf" "$work/windows-$name.pdf" 2>&1 || true)"
  else
    pass
  fi
  options_compared=$((options_compared + 1))
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
echo "ok: $options_compared option sets give the Linux build's PDF"

# Names beyond the base font's: a TrueType font of the Windows fonts folder is
# embedded (not byte for byte: the font file is another than on Linux).
run_exe pdf --year 2026 --language pl --output "$(wine_path "$work/polish.pdf")"
if [ "$status" -eq 0 ] && grep -aq '/FontFile2' "$work/polish.pdf"; then
  pass
else
  fail "pdf --language pl: status $status, '$(cat "$work/err")'"
fi

# Right to left: Arabic names and footer drawn in reading order with joined
# letters (Wine's Tahoma has the joined forms), which read back as those words;
# a page drawn in typing order reads reversed. Wine's fonts have no Hebrew: a
# Hebrew footer is refused with one line and status 2, never drawn reversed.
words() { pdftotext -raw "$1" - 2>/dev/null | sed 's/\xe2\x80[\xaa-\xae]//g' | tr -s ' \n\f' '\n\n\n'; }
run_exe pdf --year 2026 --language ar --footer "تقويم 2026" --output "$(wine_path "$work/arabic.pdf")"
if [ "$status" -eq 0 ] && words "$work/arabic.pdf" | grep -qx 'ﺗﻘﻮﻳﻢ' && words "$work/arabic.pdf" | grep -qx 'ﻳﻨﺎﻳﺮ'; then
  pass
else
  fail "pdf --language ar: status $status, '$(cat "$work/err")', words '$(words "$work/arabic.pdf" | paste -sd' ')'"
fi
run_exe pdf --footer "שלום" --output "$(wine_path "$work/hebrew.pdf")"
if [ "$status" -eq 2 ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q 'font' "$work/err" && [ ! -e "$work/hebrew.pdf" ]; then
  pass
else
  fail "pdf --footer in Hebrew: status $status, '$(cat "$work/err")'"
fi

# This build has no iCalendar support: --marks is refused with one line,
# status 2 and no file.
printf 'BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n' >"$work/marks.ics"
run_exe pdf --marks "$(wine_path "$work/marks.ics")" --output "$(wine_path "$work/marked.pdf")"
if [ "$status" -eq 2 ] && [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
   grep -q 'iCalendar' "$work/err" && [ ! -e "$work/marked.pdf" ]; then
  pass
else
  fail "--marks: status $status, '$(cat "$work/err")'"
fi

# The help of Windows, however it is asked for: the program folder under
# C:\ProgramData, regional settings rather than locale variables, and
# --marks only where the build reads iCalendar files.
marks_read=yes
grep -q 'no iCalendar support' "$work/err" && marks_read=no
run_exe --help
cp "$work/out" "$work/help.txt"
for arguments in "/?" "-?" "/help" "pdf /?"; do
  run_exe $arguments
  if [ "$status" -eq 0 ] && cmp -s "$work/out" "$work/help.txt" && [ ! -s "$work/err" ]; then
    pass
  else
    fail "'$arguments' does not print the help: status $status, '$(cat "$work/err")'"
  fi
done
if grep -qF 'C:\ProgramData\orvel\orvelplan\' "$work/help.txt" && grep -q 'regional settings' "$work/help.txt" &&
   ! grep -qE 'LC_|locale|orvelplan\(1\)|XDG' "$work/help.txt" &&
   { grep -q -- '--marks' "$work/help.txt" && echo yes || echo no; } | grep -qx "$marks_read"; then
  pass
else
  fail "the Windows help (iCalendar files read: $marks_read): $(tr -d '\r' <"$work/help.txt")"
fi

# A folder that does not exist: status 1, the reason, no file, nothing printed.
run_exe pdf --output "$(wine_path "$work/missing/year.pdf")"
if [ "$status" -eq 1 ] && [ ! -s "$work/out" ] && grep -q "cannot write .*year.pdf: " "$work/err" &&
   [ ! -e "$work/missing" ]; then pass; else fail "missing folder: status $status, '$(cat "$work/err")'"; fi

# Without --output the calendar goes to C:\ProgramData\orvel\orvelplan\, made
# when missing; a program folder that cannot be made is reported, not a crash.
data=$(wine_program_data)
rm -rf "$data/orvel"
run_exe pdf --year 2011
"$linux" pdf --year 2011 --output "$work/linux-2011.pdf" >/dev/null
if [ "$status" -eq 0 ] && [ "$(cat "$work/out")" = $'C:\\ProgramData\\orvel\\orvelplan\\orvelplan0.pdf\r' ] &&
   cmp -s "$data/orvel/orvelplan/orvelplan0.pdf" "$work/linux-2011.pdf"; then
  pass
else
  fail "program folder: status $status, printed '$(cat "$work/out")', '$(cat "$work/err")'"
fi
# '--output -': the PDF alone on standard output, byte for byte, no CR LF added;
# NUL is written into and stays a device.
run_exe pdf --year 2011 --output -
if [ "$status" -eq 0 ] && cmp -s "$work/out" "$work/linux-2011.pdf" && [ ! -s "$work/err" ]; then
  pass
else
  fail "--output -: status $status, $(wc -c <"$work/out") bytes, '$(cat "$work/err")'"
fi
run_exe pdf --year 2011 --output NUL
if [ "$status" -eq 0 ] && [ "$(cat "$work/out")" = $'NUL\r' ]; then pass; else fail "--output NUL: status $status, '$(cat "$work/err")'"; fi
rm -rf "$data/orvel"
printf 'not a folder' >"$data/orvel"
run_exe pdf --year 2011
if [ "$status" -eq 1 ] && [ ! -s "$work/out" ] &&
   grep -q '^orvelplan: cannot use the folder C:\\ProgramData\\orvel: ' "$work/err"; then
  pass
else
  fail "unusable program folder: status $status, '$(cat "$work/err")'"
fi
rm -f "$data/orvel"

# --open hands exactly the written path to the PDF viewer the prefix names.
wine_record_opens "$work/opened.log"
target="$work/open me.pdf"
run_exe pdf --year 2012 --output "$(wine_path "$target")" --open
for _ in $(seq 100); do
  [ -s "$work/opened.log" ] && break
  sleep 0.1
done
if [ "$status" -eq 0 ] && [ -f "$target" ] && [ "$(tr -d '\r"' <"$work/opened.log" 2>/dev/null | sed 's/ *$//')" = "$(wine_path "$target")" ]; then
  pass
else
  fail "--open: status $status, viewer got '$(cat "$work/opened.log" 2>/dev/null)', '$(cat "$work/err")'"
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
