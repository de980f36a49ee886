#!/usr/bin/env bash
# The Windows downloads under Wine, in a Wine prefix of their own that is
# removed afterwards:
#   the zip, unpacked into an empty folder: mctfutil.exe answers --version
#     and starts, keeping its settings in that folder;
#   the installer with /S: the files, the Start-menu link and the entry of
#     Add/Remove Programs are there; the installed mctfutil.exe starts with
#     --user-settings; the uninstaller with /S takes away all it installed and
#     leaves the settings in %APPDATA%\mctfutil.
#
#   tests/windows/dist_session.sh <zip> <setup.exe>
set -euo pipefail
zip="$(realpath "$1")"
setup="$(realpath "$2")"

# The window opens on Qt's windows platform, as for a user: on an X server
# of its own.
if [[ -z "${MCTF_DIST_XVFB:-}" ]]; then
  MCTF_DIST_XVFB=1 exec xvfb-run -a "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/mctfutil-dist.XXXXXX")
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "dist_session: $*" >&2; exit 1; }

wineboot -i >/dev/null 2>&1
wineserver -w
user_dir=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n1)
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\mctfutil'

# Starts the window for a few seconds; true when it was still running, and
# it then has written its settings file (the first start saves the defaults).
starts() {
  local folder=$1 settings=$2
  shift 2
  (cd "$folder" && exec wine ./mctfutil.exe "$@" >/dev/null 2>&1) &
  local pid=$!
  for _ in $(seq 1 60); do
    [[ -f "$settings" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 1
  done
  local alive=0
  kill -0 "$pid" 2>/dev/null && alive=1
  wineserver -k 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ $alive == 1 && -f "$settings" ]]
}

# The zip.
mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
folder=$(find "$work/unzipped" -name mctfutil.exe -printf '%h\n')
version=$(cd "$folder" && wine ./mctfutil.exe --version | tr -d '\r')
[[ "$version" == "mctfutil "* ]] || fail "zip: mctfutil.exe --version said [$version]"
cli_version=$(cd "$folder" && wine ./mctfcli.exe --version | tr -d '\r')
[[ "$cli_version" == "$version" ]] || fail "zip: mctfcli.exe --version said [$cli_version]"
starts "$folder" "$folder/config.dmc" || fail "zip: mctfutil.exe did not start"
(cd "$folder" && find . -type f ! -name config.dmc | LC_ALL=C sort) > "$work/zip-files"

# The installer.
wine "$setup" /S
wineserver -w
installed="$user_dir/AppData/Local/Programs/mctfutil"
link="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/mctfutil.lnk"
[[ -d "$installed" ]] || fail "setup /S: nothing in $installed"
(cd "$installed" && find . -type f ! -name uninstall.exe | LC_ALL=C sort) > "$work/installed-files"
diff -u "$work/zip-files" "$work/installed-files" || fail "setup /S: not the files of the zip"
[[ -f "$installed/uninstall.exe" ]] || fail "setup /S: no uninstall.exe"
[[ -f "$link" ]] || fail "setup /S: no Start-menu link"
grep -qa "mctfutil.exe" "$link" || fail "setup /S: the link does not name mctfutil.exe"
wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe' ||
  fail "setup /S: no entry in Add/Remove Programs"
settings="$user_dir/AppData/Roaming/mctfutil/config.dmc"
starts "$installed" "$settings" --user-settings || fail "installed mctfutil.exe did not start"

# The uninstaller runs a copy of itself from the temporary folder: wait for it.
wine "$installed/uninstall.exe" /S
wineserver -w
[[ ! -e "$installed" ]] || fail "uninstall /S left: $(cd "$installed" && find . | tr '\n' ' ')"
[[ ! -e "$link" ]] || fail "uninstall /S left the Start-menu link"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
  fail "uninstall /S left the entry in Add/Remove Programs"
fi
[[ -f "$settings" ]] || fail "uninstall /S took the user's settings"
echo "dist_session: zip and installer passed"
