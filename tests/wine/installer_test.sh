#!/usr/bin/env bash
# The Windows installer under Wine: an older version installed first, this
# one silently over it, the entry in Apps & features and the Start-menu
# shortcuts, the program run from Program Files and from its calendar
# shortcut's command, then the silent uninstall, which removes the program and its
# entries and leaves the calendars and settings in C:\ProgramData.
#   installer_test.sh <setup.exe> <installer script> <version>
set -euo pipefail
usage="usage: installer_test.sh <setup.exe> <installer script> <version>"
setup=${1:?$usage}
script=${2:?$usage}
version=${3:?$usage}
command -v makensis >/dev/null || { echo "installer_test: no makensis (scripts/setup --windows); skipped"; exit 77; }
. "$(cd "$(dirname "$0")" && pwd)/wine_prefix.sh"
work=$(mktemp -d)
wine_test_session "$work"
failures=0
limit=1
same() { [ "$1" = "$2" ]; }
near() { [ $(($1 - $2)) -le "$3" ] && [ $(($2 - $1)) -le "$3" ]; }  # A B TOLERANCE

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvelPlanner'
folder='C:\Program Files\Orvel Planner'
installed="$WINEPREFIX/drive_c/Program Files/Orvel Planner"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orvel Planner"
calendar_shortcut="$menu/This year's calendar.lnk"
data="$(wine_program_data)/orvel/orvelplan"

value() {  # NAME: the value's data in the program's uninstall key, or nothing
  wine reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$1 \{4\}REG_[A-Z_]* \{4\}//p"
}
uninstall_entries() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' 2>/dev/null | grep -c 'OrvelPlanner' || true; }
no_entry() { same 0 "$(uninstall_entries)"; }

# An installer of an older version, from the same script.
makensis -V1 -DVERSION=1.0 "-DOUTFILE=$work/old-setup.exe" "$script" >/dev/null
wine "$work/old-setup.exe" /S
check "the older version installed" same 1.0 "$(value DisplayVersion)"

wine "$setup" /S
check "one entry in Apps & features" same 1 "$(uninstall_entries)"
while IFS='|' read -r name expected; do
  actual=$(value "$name")
  check "entry $name: '$actual'" same "$expected" "$actual"
done <<END
DisplayName|Orvel Planner
DisplayVersion|$version
Publisher|The Orvel Planner developers
DisplayIcon|$folder\\orvelplan.exe,0
InstallLocation|$folder
UninstallString|"$folder\\uninstall.exe"
QuietUninstallString|"$folder\\uninstall.exe" /S
END
size_kb=$(find "$installed" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
estimated=$(($(value EstimatedSize || true)))
check "estimated size ${estimated} KB is the folder's ${size_kb} KB" near "$estimated" "$size_kb" 8
for file in orvelplan.exe README.txt LICENSE.txt licences/{fribidi,libharu,libical,mingw-w64,zlib}.txt uninstall.exe; do
  check "installed $file" [ -f "$installed/$file" ]
done
# A shortcut holds its target, folder and arguments as UTF-16 strings.
shortcut_strings() { strings -e l "$1" | tr '\n' '|'; }
check "Start-menu shortcut to the window" same \
  "Program Files|Orvel Planner|orvelplan.exe|$folder|" "$(shortcut_strings "$menu/Orvel Planner.lnk")"
check "Start-menu shortcut to this year's calendar" grep -qF \
  "|$folder|pdf --open|" <<<"$(shortcut_strings "$calendar_shortcut")"

# The calendar shortcut's command, which writes into the program folder.
# Wine starts a shortcut only with a desktop shell running, so the command is
# run as the shortcut gives it.
program="$folder\\orvelplan.exe"
wine_record_opens "$work/opened.log"
(cd "$installed" && wine "$program" pdf --open >/dev/null)
limit=20 check "this year's calendar made in the program folder and opened" \
  grep -qi '^C:\\ProgramData\\orvel\\orvelplan\\orvelplan[0-9]*\.pdf' "$work/opened.log"
made=$(grep -o 'orvelplan[0-9]*\.pdf' "$work/opened.log" | tail -n1)
check "the new calendar: '$made'" grep -q '^%PDF-' "$data/$made"
# The user's settings, made here when no earlier test left them (the prefix's
# next user of the program folder starts afresh).
[ -f "$data/orvelplan.ini" ] || printf 'skin=0\r\n' >"$data/orvelplan.ini"

wine "$installed/uninstall.exe" /S
# The uninstaller finishes in a copy of itself after the one started has returned.
limit=30 check "the program folder removed" not [ -e "$installed" ]
limit=30 check "the entry in Apps & features removed" no_entry
check "the Start-menu folder removed" not [ -e "$menu" ]
check "the user's calendar kept" [ -f "$data/$made" ]
check "the user's settings kept" [ -f "$data/orvelplan.ini" ]

echo "installer_test: $failures failed"
[ "$failures" -eq 0 ]
