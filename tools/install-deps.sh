#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-multimedia-dev libgl-dev \
  fonts-ipafont-gothic fontconfig clang-format git qt6-translations-l10n \
  xvfb openbox x11-utils xdotool pulseaudio strace >/dev/null
# The package and the handout: building the Debian package, checking it with lintian and
# its desktop entry and metainfo, formatting its manual pages, reading the handout's text
# back in the tests.
$SUDO apt-get install -y -qq --no-install-recommends \
  dpkg-dev file appstream desktop-file-utils poppler-utils lintian man-db bsdextrautils >/dev/null
# The web edition: ffmpeg encodes its videos; its test plays it in headless Chromium
# through Selenium (Debian's python3 and its packages, not another interpreter's).
$SUDO apt-get install -y -qq --no-install-recommends \
  ffmpeg chromium chromium-driver python3 python3-selenium >/dev/null
