#!/usr/bin/env bash
# Fails when the committed button pictures and icons are not what tools/draw_icons.py draws.
set -euo pipefail
cd "$(dirname "$0")/.."
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
python3 tools/draw_icons.py "$scratch" >/dev/null
status=0
for drawn in "$scratch"/*.png; do
    committed="resources/icons/$(basename "$drawn")"
    if ! cmp -s "$drawn" "$committed"; then
        echo "differs from what tools/draw_icons.py draws: $committed" >&2
        status=1
    fi
done
for committed in resources/icons/*.png; do
    [ -f "$scratch/$(basename "$committed")" ] || { echo "drawn by nothing: $committed" >&2; status=1; }
done
[ $status -eq 0 ] && echo "pictures: $(ls "$scratch" | wc -l) match tools/draw_icons.py"
exit $status
