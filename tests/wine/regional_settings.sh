#!/usr/bin/env bash
# The Windows program as users in other countries start it: in the regional
# settings of en_GB, en_US, de_DE, ru_RU and ja_JP (one Wine prefix; Wine takes
# each program's regional settings from LC_ALL), file and folder names and
# footers in Cyrillic, Japanese, with umlauts and an en dash reach the file
# system and the page whole; and a start with no console and no standard
# handles (as from a shortcut) keeps its calendar and shows its errors in a box.
#   regional_settings.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>
set -euo pipefail
usage="usage: regional_settings.sh <orvelplan.exe> <Linux orvelplan> <console_less_start.exe>"
exe=${1:?$usage} linux=${2:?$usage} launcher=${3:?$usage}
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
locales="en_GB en_US de_DE ru_RU ja_JP"
run_exe() {  # LOCALE ARGUMENTS...: standard output to $work/out, error to $work/err, $status
  local locale=$1; shift
  status=0
  LC_ALL=$locale.UTF-8 wine "$exe" "$@" >"$work/out" 2>"$work/err" || status=$?
}
export LC_ALL=C.UTF-8

# What Windows reads from the file itself: the manifest that makes UTF-8 the
# code page, and the version information, with the Linux build's version and
# copyright line.
if command -v wrestool >/dev/null; then
  version=$("$linux" --version | sed -n '1s/.* //p') copyright=$("$linux" --version | sed -n 2p)
  strings=$(wrestool -x --raw --type=16 --name=1 "$exe" | tr -d '\0' | strings -n 3 | paste -sd'|')
  manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
  if [[ $strings == *"FileVersion$version"*"LegalCopyright$copyright"*"OriginalFilenameorvelplan.exe"* ]] &&
     [[ $manifest == *">UTF-8</activeCodePage>"* ]]; then
    pass
  else
    fail "resources: version '$strings', manifest of ${#manifest} bytes"
  fi
else
  echo "skipped: the resources (no wrestool: scripts/setup --windows)"
fi

# Names: the file is made under exactly that name, the path printed is the one
# given, byte for byte in UTF-8, and the PDF is the Linux build's.
fixed=(--year 2026 --paper a4 --week-starts monday --language en)
"$linux" pdf "${fixed[@]}" --output "$work/linux.pdf" >/dev/null
names=("Календарь 2026" "予定/カレンダー" "Jahresplan für 2026" "2026–2027")
for locale in $locales; do
  for name in "${names[@]}"; do
    target="$work/$locale/$name.pdf"
    mkdir -p "$(dirname "$target")"
    run_exe "$locale" pdf "${fixed[@]}" --output "$(wine_path "$target")"
    if [ "$status" -eq 0 ] && [ "$(cat "$work/out")" = "$(wine_path "$target")"$'\r' ] &&
       cmp -s "$target" "$work/linux.pdf"; then
      pass
    else
      fail "$locale, name '$name': status $status, printed '$(cat "$work/out")', '$(cat "$work/err")'"
    fi
  done
done
echo "ok: names tried in $locales"

# Footers: one the base font shows gives the Linux build's PDF; the others are
# drawn in a TrueType font of the Windows fonts folder (no byte identity) and
# read back from the page. The prefix has no font with Japanese letters yet:
# that footer is refused with one line and status 2.
footer_text() { pdftotext -l 1 "$1" - 2>/dev/null | tr -d '\f' | grep -v '^$' | tail -n 1; }
for locale in $locales; do
  for footer in "Jahresplan für 2026" "Plan 2026 – 2027" "Календарь на 2026 год" "2026年カレンダー"; do
    target="$work/footer.pdf"
    rm -f "$target"
    run_exe "$locale" pdf "${fixed[@]}" --footer "$footer" --output "$(wine_path "$target")"
    if [ "$footer" = "2026年カレンダー" ]; then
      if [ "$status" -eq 2 ] && [ "$(tr -d '\r' <"$work/err")" = "orvelplan: no installed font can show the footer text" ] &&
         [ ! -e "$target" ]; then
        pass
      else
        fail "$locale, footer '$footer': status $status, '$(cat "$work/err")'"
      fi
      continue
    fi
    if [ "$status" -ne 0 ] || [ "$(footer_text "$target")" != "$footer" ]; then
      fail "$locale, footer '$footer': status $status, page reads '$(footer_text "$target" 2>&1)', '$(cat "$work/err")'"
    elif [ "$footer" = "Jahresplan für 2026" ] &&
         ! { "$linux" pdf "${fixed[@]}" --footer "$footer" --output "$work/l.pdf" >/dev/null && cmp -s "$target" "$work/l.pdf"; }; then
      fail "$locale, footer '$footer' differs from the Linux PDF"
    else
      pass
    fi
  done
done
# Japanese names with no font for them: English names, the footer kept whole.
run_exe ja_JP pdf --year 2026 --footer "Plan 2026 – 2027" --output "$(wine_path "$work/ja.pdf")"
if [ "$status" -eq 0 ] && grep -q 'the calendar is in English' "$work/err" &&
   [ "$(footer_text "$work/ja.pdf")" = "Plan 2026 – 2027" ]; then
  pass
else
  fail "ja_JP names, en dash footer: status $status, '$(cat "$work/err")'"
fi
echo "ok: footers tried in $locales"

# With a CJK collection in the fonts folder (the Debian font under the name of
# a Windows one that is also a .ttc), Japanese names and footers are drawn in
# its first face, embedded.
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
if [ -f "$cjk" ]; then
  cp "$cjk" "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
  run_exe ja_JP pdf --year 2026 --language ja --footer "2026年カレンダー" --output "$(wine_path "$work/ja.pdf")"
  if [ "$status" -eq 0 ] && [ ! -s "$work/err" ] && grep -aq '/FontFile2' "$work/ja.pdf" &&
     [ "$(footer_text "$work/ja.pdf")" = "2026年カレンダー" ] &&
     pdftotext "$work/ja.pdf" - 2>/dev/null | grep -q '^12月$'; then
    pass
  else
    fail "--language ja with a CJK collection: status $status, '$(cat "$work/err")'"
  fi
  rm -f "$WINEPREFIX/drive_c/windows/Fonts/msyh.ttc"
  echo "ok: a Japanese page in a collection's face"
else
  echo "skipped: a Japanese page (fonts-wqy-microhei is not installed)"
fi

# Redirected messages are UTF-8 too: the name and the system's reason.
run_exe ru_RU pdf --output "$(wine_path "$work/нет/Отчёт.pdf")"
if [ "$status" -eq 1 ] && grep -q "cannot write .*нет\\\\Отчёт.pdf: " "$work/err" && iconv -f UTF-8 -t UTF-8 "$work/err" >/dev/null; then
  pass
else
  fail "ru_RU, missing folder: status $status, '$(cat "$work/err")'"
fi

# Started with no console: the launcher reports each message box and the exit
# status on its own standard output. Boxes need a display.
if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: the start without a console (no display for its message boxes)"
else
  start_console_less() {  # LOCALE ARGUMENTS...: the launcher's report in $work/report
    local locale=$1; shift
    LC_ALL=$locale.UTF-8 wine "$launcher" "$(wine_path "$exe")" "$@" >"$work/report" 2>&1 || true
  }
  wine_record_opens "$work/opened.log"
  data="$(wine_program_data)/orvel/orvelplan"
  rm -rf "$(wine_program_data)/orvel"
  # The path cannot be printed: the calendar stays all the same, and opens.
  start_console_less de_DE pdf --year 2027 --footer "Jahresplan für 2027 – Календарь" --open
  for _ in $(seq 100); do [ -s "$work/opened.log" ] && break; sleep 0.1; done
  if [ "$(tr -d '\r' <"$work/report")" = "exit 0" ] && pdfinfo "$data/orvelplan0.pdf" >/dev/null 2>&1 &&
     [ "$(footer_text "$data/orvelplan0.pdf")" = "Jahresplan für 2027 – Календарь" ] &&
     grep -qF 'orvelplan0.pdf' "$work/opened.log"; then
    pass
  else
    fail "console-less --open: '$(cat "$work/report")', viewer got '$(cat "$work/opened.log" 2>/dev/null)'"
  fi
  # An error is shown in a box with the error icon, the line standard error has.
  while read -r locale status arguments; do
    expected=$("$linux" $arguments 2>&1 >/dev/null || true)
    start_console_less "$locale" $arguments
    if [ "$(tr -d '\r' <"$work/report")" = "box none icon Orvel Planner: $expected"$'\n'"exit $status" ]; then
      pass
    else
      fail "console-less '$arguments': '$(cat "$work/report")', expected a box with '$expected'"
    fi
  done <<'STARTS'
en_US 2 pdf --year 0
ja_JP 2 pdf --paper b4
ru_RU 2 text --open
STARTS
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
