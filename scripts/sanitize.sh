#!/usr/bin/env bash
# Builds Korvel with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ and runs
# every test there. Slower than scripts/test.sh; not part of CI. Run scripts/setup.sh once first.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-sanitize --parallel
cd build-sanitize
# Qt's and QCoro's own leaks at exit are not ours to report.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 exec ctest --output-on-failure --parallel "$(nproc)"
