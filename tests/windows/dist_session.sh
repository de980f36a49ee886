#!/usr/bin/env bash
# The zip and the installer under Wine on Xvfb, in a Wine prefix of their own:
# the unpacked window starts; setup.exe /S installs the zip's files, a Start-
# menu link and an Add/Remove Programs entry, and the installed window starts;
# uninstall.exe /S takes all that away and leaves the user's settings.
#
#   tests/windows/dist_session.sh <zip> <setup.exe>
set -euo pipefail
[[ -n "${MCTF_DIST_XVFB:-}" ]] || MCTF_DIST_XVFB=1 exec xvfb-run -a "$0" "$@"
zip="$(realpath "$1")" setup="$(realpath "$2")"
work=$(mktemp -d "${TMPDIR:-/tmp}/mctfutil-dist.XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "dist_session: $*" >&2; exit 1; }
wineboot -i >/dev/null 2>&1 && wineserver -w
user=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 ! -name Public | head -n1)
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\mctfutil'

# True when the window still runs after writing its settings file $2 (the
# first start saves the defaults); then it is stopped.
starts() {
  (cd "$1" && exec wine ./mctfutil.exe "${@:3}" >/dev/null 2>&1) &
  local pid=$! alive=0
  for _ in $(seq 60); do [[ -f "$2" ]] || ! kill -0 $pid 2>/dev/null && break; sleep 1; done
  kill -0 $pid 2>/dev/null && alive=1
  wineserver -k 2>/dev/null || true
  [[ $alive == 1 && -f "$2" ]]
}
files() { (cd "$1" && find . -type f ! -name config.dmc ! -name uninstall.exe | LC_ALL=C sort); }

mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$zip")
dir=$(dirname "$(find "$work/zip" -name mctfutil.exe)")
[[ "$(cd "$dir" && wine ./mctfutil.exe --version)" == "mctfutil "* ]] || fail "zip: no --version"
starts "$dir" "$dir/config.dmc" || fail "zip: mctfutil.exe did not start"

wine "$setup" /S && wineserver -w
app="$user/AppData/Local/Programs/mctfutil"
link="$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/mctfutil.lnk"
diff <(files "$dir") <(files "$app") || fail "setup /S: not the zip's files"
[[ -f "$app/uninstall.exe" && -f "$link" ]] || fail "setup /S: no uninstaller or no link"
grep -qa mctfutil.exe "$link" || fail "setup /S: the link does not start mctfutil.exe"
wine reg query "$key" /v UninstallString | grep uninstall.exe >/dev/null || fail "no Add/Remove entry"
settings="$user/AppData/Roaming/mctfutil/config.dmc"
starts "$app" "$settings" --user-settings || fail "installed mctfutil.exe did not start"

# The uninstaller runs a copy of itself from the temporary folder.
wine "$app/uninstall.exe" /S && wineserver -w
[[ ! -e "$app" && ! -e "$link" ]] || fail "uninstall /S left files or the link"
! wine reg query "$key" >/dev/null 2>&1 || fail "uninstall /S left the Add/Remove entry"
[[ -f "$settings" ]] || fail "uninstall /S took the user's settings"
echo "dist_session: zip and installer passed"
