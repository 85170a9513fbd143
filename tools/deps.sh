#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libgl-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  fonts-noto-cjk fonts-wqy-zenhei
  cups-client
  libsqlite3-dev sqlite3
  # The inputs of encoding/tools/generate_tables.py, so that the tests check
  # the committed tables against its output (about 9 MB to fetch).
  opencc unicode-data
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
