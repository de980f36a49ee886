#!/usr/bin/env bash
# The Windows downloads from a cross-build with the window (make windows):
#
#   scripts/windows-dist.sh <build folder> <Qt for Windows folder>
#
# writes into the build folder
#   mctfutil-<version>-windows-x64.zip   both programs, the Qt DLLs and
#                                        plugins the window loads, the licences
#   mctfutil-<version>-setup.exe         the same files as an NSIS installer
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
qt="$2"

version=$(sed -n 's/.*kVersion = "\(.*\)";/\1/p' "$build/generated/core/Version.h")
name="mctfutil-$version-windows-x64"
stage="$build/dist/$name"
manifest="$build/windows-dist-files.txt"   # written by cmake/QtWindowsRuntime.cmake
for file in "$build/bin/mctfutil.exe" "$build/bin/mctfcli.exe" "$manifest" \
            "$qt/mctfutil/third-party.txt"; do
  [[ -f "$file" ]] || { echo "windows-dist: $file is missing (make windows first)" >&2; exit 1; }
done
dsc=("$qt"/mctfutil/*.dsc)
source_version=$(sed -n 's/^Version: //p' "${dsc[0]}")
configure_line=$(sed -n 's/^configure //p' "$qt/mctfutil-qt.stamp")

# Downloads of an earlier version would be taken for this one's.
rm -rf "$build/dist" "$build"/mctfutil-*-windows-x64.zip "$build"/mctfutil-*-setup.exe
mkdir -p "$stage"
# The debugging symbols stay in the build; the downloads get the code only.
strip="x86_64-w64-mingw32-strip --strip-unneeded"
for exe in mctfutil.exe mctfcli.exe; do
  $strip -o "$stage/$exe" "$build/bin/$exe"
done
while read -r file; do
  mkdir -p "$(dirname "$stage/$file")"
  $strip -o "$stage/$file" "$build/bin/$file"
done < "$manifest"

# Notepad shows LF-only text as one line on older Windows.
crlf() { sed 's/\r*$/\r/' "$@"; }
crlf "$root/LICENSE" > "$stage/LICENSE.txt"
{
  cat <<EOF
mctfutil.exe uses Qt ${source_version%%+*} (Qt Core, Qt Gui, Qt Widgets and the
plugins in platforms, styles and imageformats), by The Qt Company Ltd. and
other contributors, under the GNU Lesser General Public License version 3
(LGPL-3.0.txt), which adds to the GNU General Public License version 3
(GPL-3.0.txt).

Qt is linked dynamically: you may replace the Qt DLLs and plugins with your
own build of Qt ${source_version%%+*}.

These DLLs were built from Debian's qt6-base source package, version
$source_version (Qt's source with Debian's patches; nothing was changed
for this build), for 64-bit Windows with mingw-w64, configured with

  $configure_line

The source is available from Debian:

  apt-get source qt6-base=$source_version
  https://snapshot.debian.org/package/qt6-base/${source_version//+/%2B}/

The third-party code built into Qt's DLLs and its licences are listed in
QT-THIRD-PARTY.txt. The C++ runtime (libstdc++-6.dll, libgcc_s_seh-1.dll,
libwinpthread-1.dll) comes from Debian's mingw-w64 compilers; its licences
are in RUNTIME-LICENSES.txt.
EOF
} | crlf > "$stage/QT-LICENSE.txt"
crlf "$qt/mctfutil/LGPL-3.0-only.txt" > "$stage/LGPL-3.0.txt"
crlf "$qt/mctfutil/GPL-3.0-only.txt" > "$stage/GPL-3.0.txt"
crlf "$qt/mctfutil/third-party.txt" > "$stage/QT-THIRD-PARTY.txt"
{
  echo "libstdc++-6.dll and libgcc_s_seh-1.dll (GCC), from Debian's gcc-mingw-w64:"
  echo
  cat /usr/share/doc/gcc-mingw-w64-base/copyright
  echo
  echo "libwinpthread-1.dll (mingw-w64 winpthreads), from Debian's mingw-w64:"
  echo
  cat /usr/share/doc/mingw-w64-common/copyright
} | crlf > "$stage/RUNTIME-LICENSES.txt"

# The same moment for every file: the zip depends on the sources only.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)}
find "$stage" -exec touch -h -d "@$epoch" {} +
zip="$build/$name.zip"
rm -f "$zip"
(cd "$build/dist" && find "$name" -type f | LC_ALL=C sort > files.txt &&
 cmake -E tar cf "$zip" --format=zip --mtime="$(date -u -R -d "@$epoch")" --files-from=files.txt)

# The installer installs and removes exactly the staged files.
: > "$build/dist/files.nsh"
: > "$build/dist/unfiles.nsh"
(cd "$stage" && find . -type d | LC_ALL=C sort && find . -type f | LC_ALL=C sort) |
while read -r path; do
  path=${path#./}
  win=${path//\//\\}
  if [[ -d "$stage/$path" ]]; then
    [[ "$path" == . ]] && continue
    echo "CreateDirectory \"\$INSTDIR\\$win\"" >> "$build/dist/files.nsh"
    echo "RMDir \"\$INSTDIR\\$win\"" >> "$build/dist/unfiles.rmdir"
  else
    echo "File \"/oname=$win\" \"$stage/$path\"" >> "$build/dist/files.nsh"
    echo "Delete \"\$INSTDIR\\$win\"" >> "$build/dist/unfiles.nsh"
  fi
done
# Folders after their files, the deepest first.
[[ -f "$build/dist/unfiles.rmdir" ]] && LC_ALL=C sort -r "$build/dist/unfiles.rmdir" >> "$build/dist/unfiles.nsh"
setup="$build/mctfutil-$version-setup.exe"
rm -f "$setup"
# Windows wants four numbers in a program's version: 2.0 is 2.0.0.0.
IFS=. read -r v1 v2 v3 v4 <<< "$version"
makensis -V2 -DVERSION="$version" -DVERSION4="${v1:-0}.${v2:-0}.${v3:-0}.${v4:-0}" -DSTAGE="$build/dist" -DOUTFILE="$setup" \
  -DICON="$root/resources/icons/mctfutil.ico" -DLICENSE="$stage/LICENSE.txt" \
  "$root/packaging/windows/mctfutil.nsi"
echo "$zip"
echo "$setup"
