#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the desktop program
# need (the tests check the JSON of mctfcli stats with python3-jsonschema).
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  nlohmann-json3-dev
  # zlib, which inflates the rotated logs logrotate compressed (.gz)
  zlib1g-dev
  googletest libgtest-dev libbenchmark-dev
  python3 python3-jsonschema
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-dejavu-core
  # systemd-analyze, which checks the units of mctfcli systemd (tests/cli/systemd_units.sh),
  # and setpriv, which runs their commands as their account (tests/cli/systemd_service.sh)
  systemd util-linux
  # shellcheck, which checks morvane.sh (tests/cli/readme_session.sh)
  shellcheck
  # ss, which shows the sockets of the game engine (tests/engine/engine_session.sh)
  iproute2
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-dev)
fi
if [[ "${1:-}" == "--screens" ]]; then
  packages+=(xvfb xdotool imagemagick)
fi
if [[ "${1:-}" == "--windows" ]]; then
  # The 64-bit mingw-w64 compiler with the posix thread model (the toolchain
  # of cmake/mingw-w64.cmake), and Wine to run what it builds.
  packages+=(g++-mingw-w64-x86-64-posix wine wine64)
  # zlib built for mingw-w64, linked into the programs (no zlib1.dll beside them).
  packages+=(libz-mingw-w64-dev)
  # apt-get source and the licence notices of Qt for Windows
  # (scripts/build-qt-windows.sh).
  packages+=(dpkg-dev xz-utils python3)
fi
if [[ "${1:-}" == "--windows-dist" ]]; then
  # The installer, and an X server for the window in its test.
  packages+=(nsis xvfb xauth)
fi
if [[ "${1:-}" == "--package" ]]; then
  # Building the Debian package and checking it with Debian's own tools.
  # CPack picks the binaries to look up libraries for with `file`.
  packages+=(dpkg-dev file lintian desktop-file-utils appstream man-db bash-completion)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "installing: ${missing[*]}"
SUDO=""
[[ $(id -u) -ne 0 ]] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
