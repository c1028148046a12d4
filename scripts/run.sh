#!/usr/bin/env bash
# Builds the editor and starts it (with any file named on the command line).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/ensure-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build/release" -j"$(nproc)" --target pelorin sample
# Without a file named, start with a working copy of the sample tile file, so that there is
# something to try and the generated original stays untouched.
if [ $# -eq 0 ]; then
    set -- "$("$root/scripts/working-sample.sh" "$root/build/release/sample/pelorin-sample.gb")"
fi
# Started from the caller's folder, so that a file named relative to it is found.
exec "$root/build/release/src/pelorin" "$@"
