#!/usr/bin/env bash
# Cross-builds Qt (Core, Gui, Widgets, Test) for 64-bit Windows from Debian's
# qt6-base source package, of the same version as the host tools (moc, rcc,
# uic) the Linux build uses, and installs it into a cache folder outside any
# build tree:
#
#   $MCTF_QT_WINDOWS   default ~/.cache/mctfutil/qt6-windows-<Qt version>
#
# The first build takes 15 to 40 minutes on two cores; afterwards the
# script only checks the stamp file and prints the folder. The stamp is
# written last, after a complete install, and holds the source version, the
# compiler and the configure line: a build that stopped half way, or one made
# another way, is built again from scratch.
#
#   scripts/build-qt-windows.sh           build when needed, print the folder
#   scripts/build-qt-windows.sh --check   exit 0 when the cache is ready, 1 if not
#   scripts/build-qt-windows.sh --print   print the folder only
#
# JOBS (default: the number of cores) sets the parallel compile jobs.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-build}"

# The host tools' source package and version: the cross-built Qt must match.
src_package=$(dpkg-query -W -f='${source:Package}' qt6-base-dev-tools 2>/dev/null || true)
src_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null || true)
if [[ -z "$src_version" ]]; then
  echo "build-qt-windows: qt6-base-dev-tools is not installed (scripts/install-deps.sh)" >&2
  exit 2
fi
qt_version=${src_version%%+*}   # 6.4.2+dfsg-10 -> 6.4.2
qt_version=${qt_version%%-*}

prefix="${MCTF_QT_WINDOWS:-$HOME/.cache/mctfutil/qt6-windows-$qt_version}"
stamp="$prefix/mctfutil-qt.stamp"
work="$prefix.work"

cxx=x86_64-w64-mingw32-g++-posix
compiler="$($cxx --version 2>/dev/null | head -n1 || echo none)"

# Windows needs no D-Bus, OpenGL, network or SQL for the window; the bundled
# third-party libraries keep the DLLs free of further dependencies. Debian's
# repacked source has no wintab.h, so tablet input is left out.
configure_args=(
  -release -shared -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests -no-pkg-config
  -no-opengl -no-dbus -no-feature-vulkan -no-feature-tabletevent
  -no-feature-network -no-feature-sql -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
  -qt-doubleconversion
)
stamp_text="source $src_package $src_version
compiler $compiler
configure ${configure_args[*]}"

case "$mode" in
  --print) echo "$prefix"; exit 0 ;;
  --check) [[ -f "$stamp" && "$(cat "$stamp")" == "$stamp_text" ]]; exit ;;
  build) ;;
  *) echo "usage: $0 [--check|--print]" >&2; exit 2 ;;
esac

if [[ -f "$stamp" && "$(cat "$stamp")" == "$stamp_text" ]]; then
  echo "$prefix"
  exit 0
fi

SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"

# apt-get source needs a deb-src entry for the suite the host tools came from.
# Debian 12 describes its repositories in deb822 files (*.sources), older
# systems in one-line files (*.list); a copy of the matching entries with the
# source type is added when there is none.
have_source() {
  # grep reads to the end: with -q it would stop early, and apt-cache,
  # cut off, would fail the pipe.
  apt-cache showsrc "$src_package" 2>/dev/null | grep -x "Version: $src_version" >/dev/null
}
add_deb_src() {
  local origin uri suite
  # "     500 http://deb.debian.org/debian bookworm/main amd64 Packages"
  origin=$(apt-cache policy qt6-base-dev-tools | awk -v v="$src_version" '
    $2 ~ /:\/\// { if (found) { print $2, $3; exit } next }
    $1 == "***" { found = ($2 == v); next }
    NF == 2 && $2 ~ /^-?[0-9]+$/ { found = ($1 == v) }')
  uri=${origin%% *}
  suite=${origin#* }
  suite=${suite%%/*}
  if [[ -z "$uri" || -z "$suite" ]]; then
    echo "build-qt-windows: cannot tell which repository qt6-base-dev-tools came from" >&2
    exit 1
  fi
  local out=/etc/apt/sources.list.d/mctfutil-qt-source.sources
  local files=(/etc/apt/sources.list.d/*.sources)
  {
    # deb822 stanzas (blank-line separated) that name this URI and suite.
    for f in "${files[@]}"; do
      [[ -f "$f" && "$f" != "$out" ]] || continue
      awk -v uri="$uri" -v suite="$suite" '
        function flush() {
          if (types ~ /(^| )deb( |$)/ && uris ~ ("(^| )" uri "/?( |$)") && suites ~ ("(^| )" suite "( |$)")) {
            print "Types: deb-src"; print "URIs: " uri; print "Suites: " suite
            print "Components: " comps
            if (signed != "") print "Signed-By: " signed
            print ""
          }
          types = uris = suites = comps = signed = ""
        }
        /^[ \t]*$/ { flush(); next }
        /^#/ { next }
        tolower($1) == "types:" { $1 = ""; types = substr($0, 2) }
        tolower($1) == "uris:" { $1 = ""; uris = substr($0, 2) }
        tolower($1) == "suites:" { $1 = ""; suites = substr($0, 2) }
        tolower($1) == "components:" { $1 = ""; comps = substr($0, 2) }
        tolower($1) == "signed-by:" { $1 = ""; signed = substr($0, 2) }
        END { flush() }' "$f"
    done
    # One-line entries: deb [options] uri suite components...
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [[ -f "$f" ]] || continue
      awk -v uri="$uri" -v suite="$suite" '
        $1 == "deb" {
          i = 2; opts = ""
          if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts " " $i; i++ } opts = opts " " $i; i++ }
          u = $i; sub(/\/$/, "", u); s = $(i + 1)
          if (u == uri && s == suite) {
            comps = ""; for (j = i + 2; j <= NF; j++) comps = comps " " $j
            print "Types: deb-src"; print "URIs: " uri; print "Suites: " suite
            print "Components:" comps
            if (match(opts, /signed-by=[^] ]+/)) print "Signed-By: " substr(opts, RSTART + 10, RLENGTH - 10)
            print ""
          }
        }' "$f"
    done
  } > /tmp/mctfutil-qt-source.$$
  if [[ ! -s /tmp/mctfutil-qt-source.$$ ]]; then
    rm -f /tmp/mctfutil-qt-source.$$
    echo "build-qt-windows: no apt entry for $uri $suite to add sources for" >&2
    exit 1
  fi
  echo "build-qt-windows: adding $out (deb-src for $uri $suite)"
  $SUDO install -m 644 /tmp/mctfutil-qt-source.$$ "$out"
  rm -f /tmp/mctfutil-qt-source.$$
  $SUDO apt-get update -qq
}

if ! have_source; then
  add_deb_src
  if ! have_source; then
    echo "build-qt-windows: apt has no source for $src_package $src_version" >&2
    exit 1
  fi
fi

# Everything from here on starts clean: no half-built tree is trusted. A
# folder is only emptied when this script made it (its stamp, or the mark
# of a build that stopped), never one that happens to have the same name.
if [[ -d "$prefix" && -n "$(ls -A "$prefix")" && ! -e "$stamp" && ! -e "$prefix/mctfutil-qt.building" ]]; then
  echo "build-qt-windows: $prefix is not empty and not a Qt built here; name another folder" >&2
  exit 1
fi
rm -rf "$prefix" "$work"
mkdir -p "$prefix" "$work"
: > "$prefix/mctfutil-qt.building"
cd "$work"
echo "build-qt-windows: fetching $src_package $src_version"
apt-get source -qq "$src_package=$src_version" >/dev/null
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name "$src_package-*" | head -n1)
[[ -n "$src" ]] || { echo "build-qt-windows: source folder not found in $work" >&2; exit 1; }

# The project's toolchain, copied so the installed Qt does not point into
# a checkout that may move.
mkdir -p "$prefix/mctfutil"
cp "$here/cmake/mingw-w64.cmake" "$prefix/mctfutil/mingw-w64.cmake"

mkdir -p "$work/build"
cd "$work/build"
echo "build-qt-windows: configuring Qt $qt_version for Windows into $prefix"
"$src/configure" -prefix "$prefix" "${configure_args[@]}" -- \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/mctfutil/mingw-w64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR="$(dirname /usr/lib/*/cmake/Qt6HostInfo)" \
  -DMCTF_WINEPREFIX="$work/wineprefix"
echo "build-qt-windows: compiling (this takes a while)"
cmake --build . --parallel "${JOBS:-$(nproc)}"
cmake --install .

# What the licence notices shipped with the DLLs need (scripts/windows-dist.sh):
# where the source came from, the LGPL and GPL texts, and the notices of the
# third-party code built into Core, Gui and Widgets.
cp "$work"/*.dsc "$src/LICENSES/LGPL-3.0-only.txt" "$src/LICENSES/GPL-3.0-only.txt" \
   "$prefix/mctfutil/"
python3 - "$src" > "$prefix/mctfutil/third-party.txt" <<'PY'
import json, os, sys
src = sys.argv[1]
places = ["src/3rdparty/" + d for d in (
    "blake2 double-conversion easing freetype harfbuzz-ng icc libpng md4 md4c md5 "
    "pcre2 pixman rfc6234 sha1 sha3 tinycbor zlib").split()]
places += ["src/corelib/kernel", "src/corelib/text", "src/corelib/tools",
           "src/gui/painting", "src/gui/text"]
out = []
for place in places:
    with open(os.path.join(src, place, "qt_attribution.json"), encoding="utf-8") as f:
        entries = json.loads(f.read(), strict=False)
    for e in entries if isinstance(entries, list) else [entries]:
        out += ["=" * 72, f"{e.get('Name', e.get('Id'))} {e.get('Version', '')}".rstrip(),
                f"License: {e.get('License', '')}"]
        if e.get("Copyright"):
            out.append("Copyright: " + e["Copyright"].strip())
        files = e.get("LicenseFiles") or ([e["LicenseFile"]] if e.get("LicenseFile") else [])
        for name in files:
            with open(os.path.join(src, place, name), encoding="utf-8", errors="replace") as f:
                out += ["", f.read().rstrip()]
        out.append("")
print("\n".join(out))
PY

cd /
rm -rf "$work"
printf '%s\n' "$stamp_text" > "$stamp.tmp"
mv "$stamp.tmp" "$stamp"
rm -f "$prefix/mctfutil-qt.building"
echo "$prefix"
