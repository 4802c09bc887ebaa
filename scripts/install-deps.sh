#!/usr/bin/env bash
# Installs the Debian packages Sledway needs to build, test and benchmark (with --clang, also
# what the clang and fuzz builds need; with --windows, what the windows preset's cross build and
# its tests under Wine need).
# Idempotent: packages already present are left alone, and nothing is fetched
# when everything is there. Uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libocct-foundation-dev libocct-modeling-data-dev libocct-modeling-algorithms-dev
  libocct-data-exchange-dev libocct-visualization-dev libocct-ocaf-dev libtbb-dev
  libmuparser-dev nlohmann-json3-dev libcli11-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libgl1-mesa-dri xvfb fonts-dejavu-core
  libavcodec-dev libavformat-dev libswscale-dev libavfilter-dev libavutil-dev
)
# With --clang also clang and its runtime (libFuzzer), for the clang and fuzz builds of CI.
if [ "${1:-}" = "--clang" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# With --windows the mingw-w64 cross compiler and its tools (windres, widl), Wine to run the
# tests, Xvfb for their windows, GoogleTest's sources (googletest, above) to build for Windows
# and msitools' wixl to build the installer.
if [ "${1:-}" = "--windows" ]; then
  packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb wixl)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}" >&2
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
