#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Korvel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what Korvel installs and packages, without touching this machine:
# installs an already configured build folder into a temporary DESTDIR with
# the prefix /usr, checks the command and the window program it starts,
# validates both desktop entries, the AppStream metadata and the manual page,
# checks the icons, the help file and the example polkit rule, then builds
# the Debian package with CPack into the temporary folder, checks its contents
# and dependencies and runs lintian on it.
#   scripts/check-install.sh [BUILD_DIR]      (default: build)
# Needs desktop-file-utils, appstream, man-db, dpkg-dev, lintian and the build
# folder's tools.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-build}
case "$build_dir" in /*) ;; *) build_dir="$root/$build_dir" ;; esac
[ -f "$build_dir/CMakeCache.txt" ] || { echo "check-install: $build_dir is not a build folder" >&2; exit 2; }

work=$(mktemp -d /tmp/korvel-check-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

cmake --build "$build_dir" -j2 >/dev/null
DESTDIR=$stage cmake --install "$build_dir" --prefix /usr >"$work/install.log"

# The program and the two desktop entries.
[ -x "$stage/usr/bin/korvel" ] && pass "usr/bin/korvel" || fail "usr/bin/korvel is missing"
window=$stage/usr/libexec/korvel/korvel-window
[ -x "$window" ] && pass "usr/libexec/korvel/korvel-window" || fail "usr/libexec/korvel/korvel-window is missing"
# The command links Qt Core alone, so that an early exit loads nothing more.
needed=$(readelf -d "$stage/usr/bin/korvel" 2>/dev/null | sed -n 's/.*Shared library: \[\(libQt6[A-Za-z]*\).*/\1/p' | sort -u)
[ "$needed" = libQt6Core ] && pass "usr/bin/korvel links Qt Core alone" \
  || fail "usr/bin/korvel links $(echo $needed)"
# The History window and Qt Charts come from a module the window program
# loads when the window is first opened, never at start.
module=$stage/usr/libexec/korvel/korvel-historywindow.so
readelf -d "$module" 2>/dev/null | grep -q 'Shared library: \[libQt6Charts' \
  && pass "usr/libexec/korvel/korvel-historywindow.so links Qt Charts" \
  || fail "usr/libexec/korvel/korvel-historywindow.so is missing or does not link Qt Charts"
readelf -d "$window" 2>/dev/null | grep -q 'Shared library: \[libQt6Charts' \
  && fail "usr/libexec/korvel/korvel-window links Qt Charts" \
  || pass "usr/libexec/korvel/korvel-window does not link Qt Charts"
# The installed command finds the installed window program, which answers
# --query: here a failed query of one loopback port where nothing listens.
answer=$(KORVEL_TIME_SERVERS=127.0.0.1:1 XDG_CONFIG_HOME=$work/config \
  "$root/scripts/without-clock-rights.sh" "$stage/usr/bin/korvel" --query 2>&1) || true
if grep -q "Can't Get Time" <<<"$answer"; then
  pass "usr/bin/korvel starts the window program"
else
  fail "usr/bin/korvel does not start usr/libexec/korvel/korvel-window"
fi
menu=$stage/usr/share/applications/org.korvel.Korvel.desktop
autostart=$stage/etc/xdg/autostart/korvel.desktop
for entry in "$menu" "$autostart"; do
  if [ ! -f "$entry" ]; then
    fail "${entry#"$stage"/} is missing"
  elif desktop-file-validate "$entry"; then
    pass "${entry#"$stage"/} is valid"
  else
    fail "${entry#"$stage"/} does not pass desktop-file-validate"
  fi
done
grep -qx 'Exec=korvel' "$menu" 2>/dev/null && pass "menu entry runs korvel" \
  || fail "menu entry does not run 'korvel'"
grep -qx 'Exec=korvel Load 1' "$autostart" 2>/dev/null && pass "autostart entry runs korvel Load 1" \
  || fail "autostart entry does not run 'korvel Load 1'"

# The icon: the SVG and one PNG per size, each as wide and high as its folder says.
icons=$stage/usr/share/icons/hicolor
[ -f "$icons/scalable/apps/korvel.svg" ] && pass "scalable icon" || fail "scalable icon is missing"
for size in 16 32 48 256; do
  png=$icons/${size}x${size}/apps/korvel.png
  if [ ! -f "$png" ]; then
    fail "${size}x${size} icon is missing"
    continue
  fi
  # A PNG's width and height are big-endian 32-bit numbers at bytes 16 and 20.
  read -r -a bytes < <(od -An -tu1 -j16 -N8 "$png")
  width=$(( (bytes[0] << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3] ))
  height=$(( (bytes[4] << 24) | (bytes[5] << 16) | (bytes[6] << 8) | bytes[7] ))
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] && pass "${size}x${size} icon" \
    || fail "${size}x${size} icon is ${width}x${height}"
done

# The help file and the example polkit rule, which must stay inactive.
[ -s "$stage/usr/share/korvel/KORVEL.HLP" ] && pass "help file usr/share/korvel/KORVEL.HLP" \
  || fail "help file usr/share/korvel/KORVEL.HLP is missing (expected from resources/KORVEL.HLP)"
# The German translation where the installed window program looks for it,
# and the German menu entry.
[ -s "$stage/usr/share/korvel/translations/korvel_de.qm" ] && pass "German translation" \
  || fail "usr/share/korvel/translations/korvel_de.qm is missing"
grep -q '^Name\[de\]=' "$stage/usr/share/applications/org.korvel.Korvel.desktop" && pass "German menu entry" \
  || fail "the menu entry has no German name"
rule=$stage/usr/share/doc/korvel/examples/49-korvel-set-time.rules
[ -f "$rule" ] && pass "example polkit rule" || fail "example polkit rule is missing"
[ ! -e "$stage/etc/polkit-1" ] && [ ! -e "$stage/usr/share/polkit-1" ] && pass "no active polkit rule" \
  || fail "a polkit rule is installed where polkitd reads it"

# The AppStream metadata, with the menu entry it launches (validate-tree
# validates each metainfo file and looks for its desktop entry).
appstream_id=org.korvel.Korvel
metainfo=$stage/usr/share/metainfo/$appstream_id.metainfo.xml
if [ ! -f "$metainfo" ]; then
  fail "usr/share/metainfo/$appstream_id.metainfo.xml is missing"
elif appstreamcli validate-tree --no-net --strict "$stage" >"$work/appstream.log" 2>&1; then
  pass "AppStream metadata $appstream_id is valid"
else
  cat "$work/appstream.log" >&2
  fail "AppStream metadata does not pass appstreamcli validate-tree"
fi

# The manual page: no warnings from groff, and every option and variable that
# --help names is described under OPTIONS or ENVIRONMENT.
manual=$stage/usr/share/man/man1/korvel.1.gz
if [ ! -f "$manual" ]; then
  fail "usr/share/man/man1/korvel.1.gz is missing"
else
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null) || warnings="man failed: $warnings"
  [ -z "$warnings" ] && pass "manual page formats without warnings" \
    || fail "manual page warnings: $warnings"
  page=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -P cat -l "$manual" 2>/dev/null) || true
  # A section's text: from its heading to the next one.
  section() { awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name) } inside' <<<"$page"; }
  described="$(section OPTIONS)$(section ENVIRONMENT)"
  help=$("$root/scripts/without-clock-rights.sh" "$stage/usr/bin/korvel" --help) || true
  mapfile -t named < <(grep -oE -- '--[a-z]+|KORVEL_[A-Z_]+|Load 1' <<<"$help" | sort -u)
  undescribed=()
  for word in "${named[@]}"; do
    grep -qF -- "$word" <<<"$described" || undescribed+=("$word")
  done
  [ ${#undescribed[@]} -eq 0 ] && pass "manual page describes what --help names" \
    || fail "manual page lacks: ${undescribed[*]}"
fi

# One version everywhere: the project's, the changelog's, the newest
# AppStream release's and the manual page's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
changelog=$stage/usr/share/doc/korvel/changelog.gz
[ -f "$changelog" ] && [ -f "$stage/usr/share/doc/korvel/copyright" ] && pass "copyright and changelog" \
  || fail "usr/share/doc/korvel/copyright or changelog.gz is missing"
zcat "$changelog" 2>/dev/null >"$work/changelog" || true
declare -A versions=(
  [changelog]=$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>/dev/null || true)
  [metainfo]=$(grep -m1 -oP '<release version="\K[^"]+' "$metainfo" 2>/dev/null || true)
  [manual page]=$(zcat "$manual" 2>/dev/null | sed -n 's/^\.TH [^"]*"korvel \([^"]*\)".*/\1/p')
)
for source in "${!versions[@]}"; do
  [ "${versions[$source]}" = "$version" ] && pass "$source version $version" \
    || fail "$source version '${versions[$source]}', project $version"
done

# The Debian package.
if (cd "$build_dir" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1); then
  deb=$(ls "$work"/package/korvel_*.deb 2>/dev/null | head -n 1)
else
  deb=""
  cat "$work/cpack.log" >&2
fi
if [ -z "$deb" ]; then
  fail "cpack -G DEB made no korvel_*.deb"
else
  pass "package ${deb##*/}"
  contents=$(dpkg-deb -c "$deb")
  for path in ./usr/bin/korvel ./usr/libexec/korvel/korvel-window ./usr/libexec/korvel/korvel-historywindow.so \
              ./usr/share/applications/org.korvel.Korvel.desktop \
              ./etc/xdg/autostart/korvel.desktop ./usr/share/icons/hicolor/48x48/apps/korvel.png \
              ./usr/share/korvel/KORVEL.HLP ./usr/share/doc/korvel/examples/49-korvel-set-time.rules \
              ./usr/share/doc/korvel/copyright ./usr/share/doc/korvel/changelog.gz \
              ./usr/share/man/man1/korvel.1.gz ./usr/share/metainfo/org.korvel.Korvel.metainfo.xml \
              ./usr/share/korvel/translations/korvel_de.qm; do
    grep -q " $path\$" <<<"$contents" && pass "package holds $path" || fail "package lacks $path"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  for dependency in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6dbus6 libqt6charts6 qt6-qpa-plugins; do
    grep -qw "$dependency" <<<"$depends" && pass "package depends on $dependency" \
      || fail "package does not depend on $dependency (Depends: $depends)"
  done
  [ "$(dpkg-deb -f "$deb" Package)" = korvel ] && pass "package name korvel" || fail "package name"
  [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] && pass "package version $version" \
    || fail "package version $(dpkg-deb -f "$deb" Version), project $version"
  # What a distribution asks of a package: no lintian error or warning.
  if lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1; then
    pass "lintian: no errors or warnings"
  else
    grep -v 'running with root privileges' "$work/lintian.log" >&2
    fail "lintian reports errors or warnings on ${deb##*/}"
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "check-install: $failures check(s) failed" >&2
  exit 1
fi
echo "check-install: all checks passed"
