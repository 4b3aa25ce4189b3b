#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need (only those missing).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

packages=(
  cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  clang
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64 xvfb x11-utils xdotool imagemagick zip unzip
  fonts-ipafont-gothic fonts-noto-cjk locales python3 python3-ezdxf
  python3-matplotlib
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  zr_say "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Japanese locale gives Wine its code page 932; a German one (decimal comma) lets the
# tests check that numbers are read and written whatever the locale.
need_locales=()
for loc in ja_JP de_DE; do
  locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$" || need_locales+=("$loc")
done
if [ ${#need_locales[@]} -gt 0 ]; then
  zr_say "Generating the locales: ${need_locales[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  for loc in "${need_locales[@]}"; do
    $sudo_cmd sed -i "s/^# *\(${loc}.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^${loc}.UTF-8 UTF-8" /etc/locale.gen ||
      echo "${loc}.UTF-8 UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  done
  $sudo_cmd locale-gen >/dev/null
fi
