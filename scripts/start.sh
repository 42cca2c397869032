#!/usr/bin/env bash
# Sets everything up (packages, build), then starts Korvel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/src/korvel "$@"
