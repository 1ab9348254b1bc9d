#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, when missing.
set -euo pipefail
pkgs=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libxlsxwriter-dev libcups2-dev libacl1-dev zlib1g-dev pkg-config
      googletest libgtest-dev libgmock-dev libbenchmark-dev libgl1-mesa-dev fonts-dejavu-core fonts-liberation2)
[ "${1:-}" = "--gui" ] && pkgs+=(xvfb xauth espeak-ng qt6-translations-l10n)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
