#!/usr/bin/env bash
# Installs every Debian package the project needs, only what is missing. Idempotent and quiet.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-tools-dev libqt6svg6 qt6-translations-l10n
  qt6-qpa-plugins libgl1-mesa-dev
  libjpeg-dev libpng-dev libgif-dev zlib1g-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-pyftpdlib vsftpd
  xvfb xauth fonts-noto-cjk
  clang libclang-rt-dev
  libjpeg-turbo-progs imagemagick curl perl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
