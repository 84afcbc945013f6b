#!/usr/bin/env bash
# Installs, as root on Debian 12, whatever the build and the tests need and is
# not there yet. When everything is present it runs no package tool at all.
set -euo pipefail

packages=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64 wine64 wine
          xvfb xdotool imagemagick fonts-wqy-microhei fonts-wine locales)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root to install the missing packages" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root to generate the zh_CN.UTF-8 locale" >&2
    exit 1
  fi
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
