#!/usr/bin/env bash
# Takes the README's pictures of Korvel: builds it, then shows it against fake radios on a
# virtual X display and saves the main window into docs/screenshots/ (or the folder given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh korvel_screenshots
output=${1:-docs/screenshots}
mkdir -p "$output"
xvfb-run --auto-servernum --server-args="-screen 0 1440x900x24" \
  build/tools/screenshots/korvel_screenshots "$output"
