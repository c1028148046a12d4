#!/usr/bin/env bash
# Installs what building and testing need, when it is missing (Debian 12).
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgl1-mesa-dev libbenchmark-dev)
[ "${PELORIN_WITH_SANITIZERS:-0}" = 1 ] && packages+=(clang libclang-rt-14-dev)
[ "${PELORIN_WITH_CHECKS:-0}" = 1 ] && packages+=(clang-format python3)
[ "${PELORIN_WITH_DESKTOP_TOOLS:-0}" = 1 ] && packages+=(desktop-file-utils xvfb xauth x11-utils xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
echo "Installing ${missing[*]} ..."
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
