#!/usr/bin/env bash
# Builds the editor and starts it (with any file named on the command line).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target pelorin
# Without a file named, start with the sample tile file so that there is something to try.
if [ $# -eq 0 ]; then
    set -- build/release/sample/pelorin-sample.gb
fi
exec build/release/src/pelorin "$@"
