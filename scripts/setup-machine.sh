#!/usr/bin/env bash
# Installs what building and testing need on Debian 12; quick and quiet when all is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config file
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev libfontconfig-dev
  libsqlite3-dev liblz4-dev libexpat1-dev sqlite3 tcl
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  wine wine32:i386 xvfb xauth xdotool x11-utils x11-xserver-utils
  fonts-ipafont-gothic fonts-horai-umefont locales zip unzip python3
  clang-14 libclang-rt-14-dev
  dpkg-dev desktop-file-utils imagemagick x11-apps
  lintian appstream man-db groff-base
  dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0 xclip
  ibus ibus-anthy
)

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  missing=("${packages[@]}")
else
  for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
      missing+=("$p")
    fi
  done
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # A mirror caught mid-sync fails one index now and then; try again, and go on with what was
  # read if it keeps failing (the install below says clearly if a package is still missing).
  for attempt in 1 2 3 4; do
    apt-get update -qq && break
    echo "setup: apt-get update failed (attempt $attempt); retrying" >&2
    sleep $((attempt * 10))
  done
  # When one architecture's security index is behind the other's, the 32-bit Wine libraries
  # cannot match the 64-bit ones' versions; the release's own archive has both.
  if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "setup: retrying the install from the $release archive alone" >&2
    apt-get install -y -qq --no-install-recommends -t "$release" "${missing[@]}" >/dev/null
  fi
fi

if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
# A locale with a decimal comma: number texts must read and write the same under it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "setup: generating the de_DE.UTF-8 locale"
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# The engine import's libraries for the Windows builds, from Debian's source packages.
"$(dirname "$0")/build-windows-libraries.sh" i686 x86_64
