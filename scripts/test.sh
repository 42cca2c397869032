#!/usr/bin/env bash
# Sets everything up (packages, build), then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cd build
exec ctest --output-on-failure --parallel "$(nproc)"
