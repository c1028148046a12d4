#!/usr/bin/env bash
# Makes the user guide's pictures (docs/*.png) from the sample file, on a virtual screen.
set -euo pipefail
cd "$(dirname "$0")/.."
PELORIN_WITH_DESKTOP_TOOLS=1 scripts/ensure-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target screenshot sample
mkdir -p docs
xvfb-run -a -s "-screen 0 1024x768x24" build/release/tools/screenshot \
    build/release/sample/pelorin-sample.gb docs
echo "Wrote docs/pelorin-window.png, docs/pelorin-options.png and docs/pelorin-roundtrip.png"
scripts/screenshot-search.sh
scripts/screenshot-search.sh --large
