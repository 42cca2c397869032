#!/usr/bin/env bash
# Installs what Korvel needs on Debian 12, then configures and builds it: the targets named as
# arguments (e.g. korvel), or every target, the tests and benchmarks included, when none is named.
# Safe to run again: apt-get skips what is there, CMake builds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qcoro-qt6-dev qt6-translations-l10n
  libgl1-mesa-dev libxkbcommon-dev
  xvfb xauth imagemagick fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build_type=${KORVEL_BUILD_TYPE:-RelWithDebInfo}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type"
# An existing build's AUTOMOC step reruns only when a file it scanned before changes, so it would
# miss a file newly added to a target; its own cache keeps the forced rerun cheap.
find build -path '*_autogen/timestamp' -delete
targets=()
[ $# -gt 0 ] && targets=(--target "$@")
cmake --build build --parallel "${targets[@]}"
