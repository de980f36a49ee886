#!/usr/bin/env bash
# Builds the two Debian packages (make package) and checks them with Debian's
# own tools: lintian on each .deb, desktop-file-validate on the menu entry,
# appstreamcli on the metainfo, man on both manual pages. Then installs
# mctfcli alone, as on a headless server, shows that it brought no Qt and
# runs a server session with it; then installs mctfutil beside it, runs the
# window's program, and removes both again. Any warning fails the check. Run
# as root (apt-get install), by CI or by hand:
#
#   scripts/check-package.sh
# shellcheck disable=SC2317  # the helpers are called through quiet and trap
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
app=io.github.mctfutil.mctfutil

make --no-print-directory package
debs=(build/mctfcli_*_amd64.deb)
cli_deb=${debs[0]}
debs=(build/mctfutil_*_amd64.deb)
ui_deb=${debs[0]}
full_version=$(dpkg-deb -f "$ui_deb" Version)
version=${full_version%-*}

failed=0
work=$(mktemp -d "${TMPDIR:-/tmp}/mctfutil-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Runs "$@", shows what it printed and fails the check when it printed
# anything or exited non-zero.
quiet() {
  local output status=0
  output=$("$@" 2>&1) || status=$?
  if [[ $status -ne 0 || -n $output ]]; then
    echo "FAIL: $* (exit $status)"
    [[ -n $output ]] && printf '%s\n' "$output"
    failed=1
  else
    echo "ok: $*"
  fi
}

for deb in "$cli_deb" "$ui_deb"; do
  echo "== $deb"
  dpkg-deb --field "$deb"
  dpkg-deb --contents "$deb" | awk '{print $1, $2, $NF}'
done

# What apt will pull in: mctfcli nothing of Qt, mctfutil its own mctfcli.
cli_depends=$(dpkg-deb -f "$cli_deb" Depends)
if [[ ${cli_depends,,} == *qt* ]]; then
  echo "FAIL: mctfcli depends on Qt: $cli_depends"
  failed=1
else
  echo "ok: mctfcli Depends: $cli_depends"
fi
ui_depends=$(dpkg-deb -f "$ui_deb" Depends)
if [[ $ui_depends == *"mctfcli (= $full_version)"* ]]; then
  echo "ok: mctfutil depends on mctfcli (= $full_version)"
else
  echo "FAIL: mctfutil Depends without mctfcli (= $full_version): $ui_depends"
  failed=1
fi

# Lintian prints nothing when it finds no error and no warning (infos and
# pedantic tags are not shown without -I --pedantic); as root it says that
# it would rather not run as root, which is no finding about the package.
lintian_findings() {
  lintian --fail-on error,warning "$1" 2>&1 | grep -v '^running with root privileges is not recommended!$'
  return "${PIPESTATUS[0]}"
}
quiet lintian_findings "$cli_deb"
quiet lintian_findings "$ui_deb"
quiet desktop-file-validate "packaging/$app.desktop"
# appstreamcli says "Validation was successful." when nothing is wrong; the
# tree check also finds the menu entry and icon the metainfo points to, in
# the window's package itself.
dpkg-deb --extract "$ui_deb" "$work/tree"
for args in "validate packaging/$app.metainfo.xml" "validate-tree $work/tree"; do
  # shellcheck disable=SC2086  # two words each
  output=$(appstreamcli $args --pedantic --no-net 2>&1) || failed=1
  echo "appstreamcli $args: $output"
  [[ $output == *"Validation was successful." ]] || failed=1
done
# The call lintian makes; the page goes nowhere, groff's warnings to stderr.
man_warnings() {
  # shellcheck disable=SC2069  # stderr to the caller, the page thrown away
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" 2>&1 >/dev/null
}
for page in packaging/mctfcli.1 packaging/mctfutil.1; do
  quiet man_warnings "$page"
done

echo "== install test"
for package in mctfcli mctfutil; do
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    echo "$package is installed already: not touching it" >&2
    exit 1
  fi
done
installed=()
cleanup() {
  [[ ${#installed[@]} -gt 0 ]] && dpkg -r "${installed[@]}" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
export DEBIAN_FRONTEND=noninteractive

check() {  # expected-output command...
  local expected=$1 output
  shift
  if output=$("$@" 2>&1) && [[ $output == *"$expected"* ]]; then
    echo "ok: $*"
  else
    echo "FAIL: $* printed:"
    printf '%s\n' "$output"
    failed=1
  fi
}

# mctfcli alone, as on a headless server. The build machine has a Qt runtime
# for the build already, so what matters is what came with mctfcli and what
# the installed program loads.
dpkg-query -W -f='${Package}\n' | sort >"$work/before"
installed=(mctfcli)
apt-get install -y -qq "$PWD/$cli_deb" >/dev/null
dpkg-query -W -f='${Package}\n' | sort >"$work/after"
added=$(comm -13 "$work/before" "$work/after" | paste -sd ' ')
if [[ ${added,,} == *qt* ]]; then
  echo "FAIL: installing mctfcli added: $added"
  failed=1
else
  echo "ok: installing mctfcli added: $added"
fi
if [[ -e /usr/bin/mctfutil ]]; then
  echo "FAIL: /usr/bin/mctfutil came with mctfcli"
  failed=1
fi
qt_libraries=$(ldd /usr/bin/mctfcli | grep -i qt || true)
if [[ -n $qt_libraries ]]; then
  echo "FAIL: /usr/bin/mctfcli loads Qt:"
  printf '%s\n' "$qt_libraries"
  failed=1
else
  echo "ok: ldd /usr/bin/mctfcli names no Qt library"
fi
check "mctfutil $version" /usr/bin/mctfcli --version
check "MCTFCLI(1)" env MANWIDTH=80 man -P cat mctfcli

# A server session in a folder of its own: a game folder with baseq3/ and
# morvane/, the sample logs as the server's, config.dmc in the session folder.
mkdir -p "$work/game/baseq3" "$work/game/morvane" "$work/logs" "$work/session" "$work/home"
cp examples/logs/*.log "$work/logs/"
# A new game folder without a rotation receives the list in use, and says so.
check "morvane/mctf.map: no map list was there" env -C "$work/session" /usr/bin/mctfcli \
  settings set "quakePath=$work/game" "statsDir=$work/logs" "hostname=Frag Hall"
quiet env -C "$work/session" /usr/bin/mctfcli maplist add q3ctf1
check "q3ctf1" env -C "$work/session" /usr/bin/mctfcli maplist show
check "Frag Hall" env -C "$work/session" /usr/bin/mctfcli settings get hostname
for file in session/config.dmc game/morvane.bat game/morvane/morvane.cfg; do
  [[ -s $work/$file ]] || { echo "FAIL: no $file"; failed=1; }
done
check "pstats.htm written" env -C "$work/session" /usr/bin/mctfcli stats
[[ -s $work/logs/pstats.htm ]] || { echo "FAIL: no pstats.htm"; failed=1; }
# Without --config or a settings file: the logs named on the line.
check "pstats.htm written" env -C "$work" /usr/bin/mctfcli stats --logs "$work/logs"

# Then the window beside it, as on a desktop.
installed=(mctfutil mctfcli)
apt-get install -y -qq "$PWD/$ui_deb" >/dev/null
check "mctfutil $version" /usr/bin/mctfutil --version
check "--user-settings" /usr/bin/mctfutil --help
check "MCTFUTIL(1)" env MANWIDTH=80 man -P cat mctfutil

# --user-settings keeps config.dmc in $HOME/.config/mctfutil: the window is
# started without a display and closed after a moment.
status=0
env -u XDG_CONFIG_HOME HOME="$work/home" QT_QPA_PLATFORM=offscreen \
  timeout 5 /usr/bin/mctfutil --user-settings >/dev/null 2>&1 || status=$?
if [[ $status -eq 124 && -s $work/home/.config/mctfutil/config.dmc ]]; then
  echo "ok: mctfutil --user-settings wrote ~/.config/mctfutil/config.dmc"
else
  echo "FAIL: mctfutil --user-settings (exit $status):"
  ls -laR "$work/home"
  failed=1
fi

dpkg -r mctfutil mctfcli >/dev/null
installed=()
if [[ -e /usr/bin/mctfcli || -e /usr/bin/mctfutil ]]; then
  echo "FAIL: the programs stayed after dpkg -r"
  failed=1
fi
[[ $failed -eq 0 ]] && echo "package checks passed"
exit $failed
