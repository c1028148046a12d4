#!/usr/bin/env bash
# Checks the formatting, the drawn pictures and the tests' share of the code, builds
# everything with warnings as errors and runs every test; then builds the same suite with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs it again.
set -euo pipefail
cd "$(dirname "$0")/.."
PELORIN_WITH_SANITIZERS=1 PELORIN_WITH_DESKTOP_TOOLS=1 PELORIN_WITH_CHECKS=1 scripts/ensure-deps.sh
scripts/check-format.sh
scripts/check-pictures.sh
scripts/test-share.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DPELORIN_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
echo "== normal build =="
(cd build/test && ctest --output-on-failure -j"$jobs")
if [ "${PELORIN_SKIP_SANITIZERS:-0}" != 1 ]; then
    cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DPELORIN_WERROR=ON -DPELORIN_SANITIZE=ON >/dev/null
    cmake --build build/asan -j"$jobs"
    echo "== sanitized build =="
    (cd build/asan && ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j"$jobs")
fi
