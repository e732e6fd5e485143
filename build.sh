#!/usr/bin/env bash
# Installs what Shelf needs (Debian 12, as root or with sudo), builds it, then either opens the
# sample book (./build.sh open) or runs every test (./build.sh test).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case "$mode" in
  open|test) ;;
  *) echo "usage: ./build.sh open | test" >&2; exit 2 ;;
esac

packages=(build-essential cmake ninja-build pkg-config zlib1g-dev qt6-base-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-liberation2
          liblitehtml-dev libgumbo-dev libgif-dev qt6-multimedia-dev
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good xvfb xauth xdg-utils
          shared-mime-info libarchive-dev cups cups-bsd cups-client poppler-utils
          fonts-comfortaa)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  $sudo apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${SHELF_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --parallel "$(nproc)"

if [ "$mode" = test ]; then
  cd "$build"
  exec ctest --output-on-failure --parallel "$(nproc)" --timeout 300
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Shelf is built ($build/shelf), but this session has no display to show the book on.
Run it from a desktop session, or try it under a virtual display:
  xvfb-run -a -s "-screen 0 1024x768x24" $build/shelf
MSG
  exit 1
fi
exec "$build/shelf"
