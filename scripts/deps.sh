#!/usr/bin/env bash
# Installs the Debian packages Kestrova needs, only those still missing.
# Usage: scripts/deps.sh run|test
set -euo pipefail

build=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libxcb1-dev)
# Metric-compatible stand-ins for the window's fonts, and a Japanese font
# for the messages.
fonts=(fonts-urw-base35 fonts-ipafont-gothic)
# clang and its runtime for the fuzz target.
desktop_tests=(clang libclang-rt-14-dev libgtest-dev xvfb openbox xdotool x11-utils imagemagick trayer xclip desktop-file-utils appstream file)

case "${1:-}" in
  run) wanted=("${build[@]}" "${fonts[@]}") ;;
  test) wanted=("${build[@]}" "${fonts[@]}" "${desktop_tests[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
