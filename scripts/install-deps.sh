#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, if any are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialport-dev qt6-5compat-dev libgl-dev
  fonts-dejavu-core          # fixed fonts make headless layout tests repeatable
  python3 python3-pymodbus   # an independent LRC for the codec cross-check
  xvfb xauth                 # ./run.sh on a machine without a display
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
