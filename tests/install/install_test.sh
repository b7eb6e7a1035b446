#!/usr/bin/env bash
# The installed program: `cmake --install` into a DESTDIR, the program and its
# window run from there, the desktop files checked by their own validators, and
# the Debian package's file list. Skipped when the tools are missing.
#   install_test.sh <build folder> <version>
set -euo pipefail
build=${1:?usage: install_test.sh <build folder> <version>}
version=${2:?usage: install_test.sh <build folder> <version>}
. "$(dirname "$0")/../gui/checks.sh"
need_tools --gui Xvfb xdotool desktop-file-validate appstreamcli man dpkg-deb dpkg-shlibdeps file cpack
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(dirname "$0")/../lsan.supp:print_suppressions=0}
work=$(mktemp -d) pids=() failures=0 limit=0   # each check runs once
export XDG_CACHE_HOME="$work/cache"   # the typefaces the program keeps
trap 'end_programs; rm -rf "$work"' EXIT
exec 3>&2   # the differences reach the log past the checks' silencing
same_lines() {  # expected text, actual text
  [ "$1" = "$2" ] || { diff <(echo "$1") <(echo "$2") >&3 || true; return 1; }
}

# What `cmake --install` puts under the prefix, and what the package holds
# under /usr: the same, with Debian's copyright file and changelog for LICENSE.
icons=$(for size in 16 24 32 48 64 128 256; do echo "share/icons/hicolor/${size}x${size}/apps/orvelplan.png"; done)
installed=$(sort <<END
bin/orvelplan
lib/orvelplan/orvelplan-marks.so
lib/orvelplan/orvelplan-window.so
share/applications/orvelplan.desktop
share/bash-completion/completions/orvelplan
share/doc/orvelplan/LICENSE
$icons
share/icons/hicolor/scalable/apps/orvelplan.svg
share/man/man1/orvelplan.1.gz
share/metainfo/example.orvel.orvelplan.metainfo.xml
END
)
packaged=$( (grep -v LICENSE <<<"$installed"; echo share/doc/orvelplan/copyright; echo share/doc/orvelplan/changelog.Debian.gz) |
            sed 's|^|./usr/|' | sort)

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
root="$stage/usr"
check "installed files" same_lines "$installed" "$(cd "$root" && find . -type f | sed 's|^\./||' | sort)"

program="$root/bin/orvelplan"
check "pdf from the staged tree" same_lines "$work/year.pdf" "$("$program" pdf -y 2026 -o "$work/year.pdf")"
printf 'BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART;VALUE=DATE:20260101\nEND:VEVENT\nEND:VCALENDAR\n' >"$work/day.ics"
check "--marks finds its module in lib/orvelplan/" "$program" pdf -y 2026 --marks "$work/day.ics" -o "$work/marked.pdf"

# Without its module the program exits 6.
mkdir "$work/alone" && cp "$program" "$work/alone/"
status=0 && "$work/alone/orvelplan" 2>"$work/alone.err" || status=$?
check "no module: exit status 6 (got $status)" [ "$status" = 6 ]

# The window from the staged tree: the module is found in lib/orvelplan/, the
# window shows, and SIGTERM closes it as the window manager's close would.
start_xvfb "$work/display" || exit 1
pids+=("$xvfb_pid")
launch() { XDG_DATA_HOME="$work/data" exec "$program"; }
close_window() { kill -TERM "$app_pid"; }
start_program
close_politely
check "the window said nothing on standard error" [ ! -s "$work/stderr" ]
cat "$work/stderr"

share="$root/share"
check "desktop entry valid" desktop-file-validate "$share/applications/orvelplan.desktop"
check "AppStream data valid" appstreamcli validate --no-net "$share/metainfo/example.orvel.orvelplan.metainfo.xml"
manual=$(MANWIDTH=80 man --warnings -l "$share/man/man1/orvelplan.1.gz" 2>"$work/man.err")
check "manual page renders without warnings" [ ! -s "$work/man.err" ]
cat "$work/man.err"
check "manual page shows this release" grep -q "Orvel Planner $version" <<<"$manual"
for size in 16 256; do
  check "${size} px icon" same_lines "PNG image data, $size x $size" \
    "$(file -b "$share/icons/hicolor/${size}x${size}/apps/orvelplan.png" | cut -d, -f1,2)"
done

# The completion: the words offered after what has been typed.
complete_words() {  # words typed so far; the last is the one being completed
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _orvelplan; echo "${COMPREPLY[*]}"' \
    _ "$share/bash-completion/completions/orvelplan" "$@"
}
while IFS='|' read -r typed expected; do
  read -ra words <<<"$typed"
  [ "${typed: -1}" = " " ] && words+=("")
  check "completion of '$typed'" same_lines "$expected" "$(complete_words "${words[@]}")"
done <<'END'
orvelplan p|pdf
orvelplan pdf --la|--language --layout --landscape
orvelplan pdf --layout |3 2
orvelplan pdf --weekend = fr|friday
orvelplan pdf -- --|
END

# The Debian package made from the same build.
cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >/dev/null
deb="$work/package/orvelplan_${version}-1_amd64.deb"
# The modules are private: no maintainer script runs ldconfig for them.
check "no maintainer scripts" same_lines "control md5sums" "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed -n 's|^\./\(.\)|\1|p' | sort | xargs)"
check "the newest changelog entry is this package" same_lines "orvelplan (${version}-1) unstable; urgency=medium" \
  "$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/orvelplan/changelog.Debian.gz | gzip -d | head -n1)"
check "package files" same_lines "$packaged" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)"
depends=$(dpkg-deb -f "$deb" Depends)
check "dependencies found by dpkg-shlibdeps: $depends" grep -q 'libsdl2-2.0-0 (>= [0-9.]*).*libx11-6' <<<"$depends"

echo "install_test: $failures failed"
[ "$failures" -eq 0 ]
