#!/usr/bin/env bash
# Sets everything up (packages, the program's build), then starts Korvel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh korvel
exec build/src/korvel "$@"
