#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Trackora need
# (clang, lld and the compiler runtime build the fuzz targets; llvm symbolizes sanitizer reports;
# ninja builds the sanitizer passes).
# Safe to run again: apt-get skips what is already there.
# Pass --bench to add the peers the benchmarks compare against.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qtbase5-dev qtbase5-dev-tools qttools5-dev-tools qttools5-dev
  libqt5opengl5-dev qtwebengine5-dev libqt5webenginecore5 libqt5webengine5 libqt5webchannel5-dev
  libqt5charts5-dev qtmultimedia5-dev libqt5svg5-dev
  libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libswscale-dev
  libsdl2-dev libsoundtouch-dev libyuv-dev libssl-dev
  libva-dev libvdpau-dev libgl-dev libegl-dev pci.ids
  ffmpeg libjs-leaflet
  xvfb xauth x11-utils libgl1-mesa-dri mesa-utils fonts-dejavu-core dbus-daemon
  fonts-dejavu-extra fonts-crosextra-carlito fonts-noto-cjk
  desktop-file-utils appstream dpkg-dev file
  ca-certificates openssl
  python3
  clang lld libclang-rt-14-dev llvm
)
bench=(libimage-exiftool-perl mpv)

for arg in "$@"; do
  case "$arg" in
    --bench) packages+=("${bench[@]}") ;;
    *) echo "usage: $0 [--bench]" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
