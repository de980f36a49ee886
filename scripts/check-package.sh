#!/usr/bin/env bash
# Builds the Debian package (make package) and checks it with Debian's own
# tools: lintian on the .deb, desktop-file-validate on the menu entry,
# appstreamcli on the metainfo, man on both manual pages; then installs the
# package, runs both programs from their installed paths and removes it
# again. Any warning fails the check. Run as root (dpkg -i), by CI or by hand:
#
#   scripts/check-package.sh
# shellcheck disable=SC2317  # the helpers are called through quiet and trap
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
app=io.github.mctfutil.mctfutil

make --no-print-directory package
debs=(build/mctfutil_*_amd64.deb)
deb=${debs[0]}

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

echo "== $deb"
dpkg-deb --field "$deb"
dpkg-deb --contents "$deb" | awk '{print $1, $2, $NF}'

# Lintian prints nothing when it finds no error and no warning (infos and
# pedantic tags are not shown without -I --pedantic); as root it says that
# it would rather not run as root, which is no finding about the package.
lintian_findings() {
  lintian --fail-on error,warning "$1" 2>&1 | grep -v '^running with root privileges is not recommended!$'
  return "${PIPESTATUS[0]}"
}
quiet lintian_findings "$deb"
quiet desktop-file-validate "packaging/$app.desktop"
# appstreamcli says "Validation was successful." when nothing is wrong; the
# tree check also finds the menu entry and icon the metainfo points to.
dpkg-deb --extract "$deb" "$work/tree"
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
if dpkg-query -W -f='${Status}' mctfutil 2>/dev/null | grep -q "install ok installed"; then
  echo "mctfutil is installed already: not touching it" >&2
  exit 1
fi
installed=0
cleanup() {
  [[ $installed -eq 1 ]] && dpkg -r mctfutil >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
export DEBIAN_FRONTEND=noninteractive
installed=1
apt-get install -y -qq "$PWD/$deb" >/dev/null

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
version=$(dpkg-deb -f "$deb" Version)
version=${version%-*}
check "mctfutil $version" /usr/bin/mctfcli --version
check "mctfutil $version" /usr/bin/mctfutil --version
check "--user-settings" /usr/bin/mctfutil --help
check "MCTFCLI(1)" env MANWIDTH=80 man -P cat mctfcli
check "MCTFUTIL(1)" env MANWIDTH=80 man -P cat mctfutil

# Statistics of the sample logs, in a folder of their own.
mkdir -p "$work/logs" "$work/home"
cp examples/logs/*.log "$work/logs/"
check "pstats.htm written" env -C "$work" /usr/bin/mctfcli stats --logs "$work/logs"
[[ -s $work/logs/pstats.htm ]] || { echo "FAIL: no pstats.htm"; failed=1; }

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

dpkg -r mctfutil >/dev/null
if [[ -e /usr/bin/mctfcli || -e /usr/bin/mctfutil ]]; then
  echo "FAIL: the programs stayed after dpkg -r"
  failed=1
fi
[[ $failed -eq 0 ]] && echo "package checks passed"
exit $failed
