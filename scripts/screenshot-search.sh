#!/usr/bin/env bash
# The guide's picture of a search (docs/pelorin-search.png): the real program on a virtual
# screen with a window manager, driven with the pointer and the keys as a user drives it. The
# sample's P is copied into the editor and Ctrl+Shift+F finds its mirrored copy.
# With --large (docs/pelorin-large-window.png) the screen is scaled by 2 and the window made
# 1200 x 660 instead: the browser at zoom 5, the sample's first six tiles copied into the
# editor, shown at zoom 6.
set -euo pipefail
large=false
[ "${1:-}" = --large ] && large=true
cd "$(dirname "$0")/.."
for tool in Xvfb openbox xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing: apt-get install xvfb openbox xdotool x11-utils imagemagick" >&2
        exit 1
    }
done
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/release -j2 --target pelorin sample >/dev/null

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cp build/release/sample/pelorin-sample.gb "$work/"
program="$PWD/build/release/src/pelorin"

# Xvfb picks a free display and writes its number.
screen=800x600
scale=1
output=docs/pelorin-search.png
if $large; then
    screen=2560x1440
    scale=2
    output=docs/pelorin-large-window.png
fi
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox 2>/dev/null &
pids+=($!)
sleep 1
# Started in its folder, so that the caption names the file alone.
(cd "$work" && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" exec "$program" pelorin-sample.gb \
    2>/dev/null) &
pids+=($!)
window="$(xdotool search --sync --name '^pelorin-sample.gb - ')"
xdotool windowactivate --sync "$window"
sleep 0.5

# In the window: browser cell (5, 0), the P at 80, is (134, 118); editor cell (0, 0) (270, 190)
# (in screen pixels: times the scale).
at() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)); }
if $large; then
    # 450 pixels of the 675 gained go to the browser, whose cells are 40 pixels at zoom 5.
    xdotool windowsize --sync "$window" $((1200 * scale)) $((660 * scale))
    sleep 0.5
    at 190 30 # browser zoom in
    xdotool click --repeat 2 --delay 500 1
    for column in 0 1 2 3 4 5; do
        at $((22 + 40 * column)) 126
        xdotool click --repeat 2 --delay 80 1
    done
    at 760 110 # editor zoom
    xdotool click --repeat 3 --delay 500 1
else
    at 134 118
    xdotool click --repeat 2 --delay 80 1
    at 270 190
    xdotool click 1
    xdotool key ctrl+shift+f
fi
# Off the window, whose boxes write where the pointer is.
xdotool mousemove $((${screen%x*} - 1)) $((${screen#*x} - 1))
sleep 1

# The window with its frame: the ancestor that is a child of the root window.
frame="$window"
while :; do
    tree="$(xwininfo -children -id "$frame")"
    parent="$(awk '/Parent window id/ {print $4}' <<<"$tree")"
    [ "$parent" = "$(awk '/Root window id/ {print $4}' <<<"$tree")" ] && break
    frame="$parent"
done
eval "$(xwininfo -id "$frame" | awk -F: '
    /Absolute upper-left X/ {print "x=" $2+0} /Absolute upper-left Y/ {print "y=" $2+0}
    /Width/ {print "w=" $2+0} /Height/ {print "h=" $2+0}')"
import -window root "$work/screen.png"
mkdir -p docs
convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$output"
echo "Wrote $output"
