#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Korvel needs to build, run and test (only those
# that are missing), then configures and builds one build folder.
#   scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-build}
shift || true
case "$build_dir" in /*) ;; *) build_dir="$root/$build_dir" ;; esac

packages=(
  # build
  cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins librsvg2-bin libxcb1-dev python3
  # the History window's chart (Qt Charts' CMake files need Qt OpenGL's)
  qt6-charts-dev libqt6opengl6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # translations: lupdate and lrelease, and Qt's own texts for the boxes' buttons
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  # packaging and its checks: desktop-file-validate, dpkg-shlibdeps, lintian,
  # appstreamcli, man for the manual page, reuse lint for the licence headers
  desktop-file-utils dpkg-dev lintian appstream man-db reuse
  # fuzzing (scripts/fuzz.sh): clang with libFuzzer and the sanitizers
  clang libclang-rt-14-dev
  # running on a desktop
  dbus fonts-liberation fonts-dejavu-core
  # test peers: an RFC 868 server, fake system services, a display and a tray
  xinetd python3-dbusmock libglib2.0-bin dbus-daemon xvfb xauth trayer imagemagick xdotool
  # window managers and Xfce's panel (a StatusNotifierItem host on X11) for the tray journeys
  xfwm4 openbox xfce4-panel x11-utils at-spi2-core python3-pyatspi
  # a dark palette for the History window's screenshot (scripts/screenshot.sh)
  qt6-gtk-platformtheme
  # a Wayland desktop with a StatusNotifierItem tray, and its screenshots
  sway waybar grim qt6-wayland
  # benchmark references and timing (scripts/bench.sh)
  hyperfine rdate x11-apps
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEL_WERROR=ON "$@" >/dev/null
cmake --build "$build_dir" -j2
