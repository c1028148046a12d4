#!/usr/bin/env bash
# Builds the benchmarks in release mode, runs every path with repetitions and prints the
# table: path | median | floor | ratio | target | ok. Exits 1 when a row misses its target.
# Extra arguments go to the benchmark binary (for example --benchmark_filter=DrawEditor).
# PELORIN_BENCH_CLOCK=cpu compares process CPU time instead of wall-clock time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PELORIN_BENCH_BUILD:-$root/build/bench}"
reps="${PELORIN_BENCH_REPETITIONS:-9}"
clock="${PELORIN_BENCH_CLOCK:-real}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPELORIN_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target pelorin_bench -j2 >/dev/null

json="$build/bench/results.json"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/pelorin_bench" \
    --benchmark_repetitions="$reps" --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.3 --benchmark_format=json --benchmark_out="$json" \
    --benchmark_out_format=json "$@" >/dev/null 2>"$build/bench/stderr.txt" || {
    cat "$build/bench/stderr.txt" >&2
    exit 2
}

python3 - "$json" "$clock" "$reps" <<'PY'
import json, sys

path, clock, reps = sys.argv[1], sys.argv[2], sys.argv[3]
data = json.load(open(path))
key = "cpu_time" if clock == "cpu" else "real_time"
scale = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}
median = {}
for b in data["benchmarks"]:
    if b.get("error_occurred"):
        sys.exit("%s: %s" % (b["name"], b.get("error_message", "failed")))
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") == "median":
        median[b["run_name"]] = b

def us(name):
    b = median.get(name)
    return None if b is None else b[key] * scale[b["time_unit"]]

def fmt(v):
    if v is None:
        return "-"
    return "%.1f us" % v if v < 1000 else "%.2f ms" % (v / 1000)

rows = []
failed = False

def ratio_row(label, name, floor_name, limit, target):
    global failed
    t, f = us(name), us(floor_name)
    if t is None or f is None:
        return
    r = t / f
    ok = r <= limit
    failed |= not ok
    rows.append((label, fmt(t), fmt(f), "%.2f" % r, target, "yes" if ok else "NO"))

def absolute_row(label, name, limit_us, target):
    global failed
    t = us(name)
    if t is None:
        return
    if limit_us is None:  # a figure to watch, without a target
        rows.append((label, fmt(t), "-", "-", "-", "-"))
        return
    ok = t < limit_us
    failed |= not ok
    rows.append((label, fmt(t), "-", "-", target, "yes" if ok else "NO"))

ratio_row("DrawBrowser, zoom 2, no grid", "BM_DrawBrowser/grid:0/zoomout:1",
          "BM_DrawBrowserFloor/grid:0/zoomout:1", 2.0, "<= 2 x floor")
ratio_row("DrawBrowser, zoom 3, grid", "BM_DrawBrowser/grid:1/zoomout:0",
          "BM_DrawBrowserFloor/grid:1/zoomout:0", 2.0, "<= 2 x floor")
for w, h in ((1920, 1080), (3840, 2160)):
    size = "/width:%d/height:%d" % (w, h)
    absolute_row("DrawBrowser, %d x %d window, zoom 2" % (w, h), "BM_LargeWindowRedraw" + size,
                 4000, "< 4 ms")
    absolute_row("scroll event, %d x %d window, zoom 2" % (w, h), "BM_LargeWindowScroll" + size,
                 8000, "< 8 ms")
    absolute_row("resize event, %d x %d window, zoom 2" % (w, h), "BM_LargeWindowResize" + size,
                 None, "-")
absolute_row("scroll event (SpriteScroll_Change)", "BM_ScrollEvent", 1000, "< 1 ms")
ratio_row("DrawEditor, zoom 3, no grid", "BM_DrawEditor/grid:0/zoomout:0",
          "BM_DrawEditorFloor/grid:0/zoomout:0", 2.0, "<= 2 x floor")
ratio_row("DrawEditor, zoom 9, grid", "BM_DrawEditor/grid:1/zoomout:6",
          "BM_DrawEditorFloor/grid:1/zoomout:6", 2.0, "<= 2 x floor")
absolute_row("paint-drag event (Editorbox_MouseMove)", "BM_PaintDragEvent", 1000, "< 1 ms")
absolute_row("undo + redo of a 64-pixel stroke", "BM_UndoRedoStroke", 1000, "< 1 ms")
ratio_row("open + first redraw, 1 GiB / 32 KiB", "BM_OpenAndDraw/gib:1",
          "BM_OpenAndDraw/gib:0", 1.5, "<= 1.5")
absolute_row("another process's write of 16 bytes shown", "BM_OtherProgramsWrite/iterations:10/manual_time",
             200000, "< 200 ms")
b = median.get("BM_OtherProgramsBurst/iterations:3")
if b is not None:
    ok = b["redraws"] <= 2
    failed |= not ok
    rows.append(("redraws after 100 writes in 50 ms", "%d" % b["redraws"], "-", "-", "<= 2",
                 "yes" if ok else "NO"))
def memory_row(label, name):
    global failed
    m = median.get(name)
    if m is None:
        return
    diff = m["diff_kib"]
    ok = diff <= 2048
    failed |= not ok
    rows.append((label, "%+d KiB" % diff, "%d KiB (32 KiB file)" % m["small_kib"], "-",
                 "<= 2048 KiB", "yes" if ok else "NO"))

memory_row("peak RSS, 1 GiB - 32 KiB file", "BM_PeakMemory/iterations:1")

ratio_row("find the tile (Ctrl+F), 256 MiB", "BM_FindTile/samepicture:0", "BM_FindBaseline",
          1.25, "<= 1.25 x memmem")
ratio_row("find the same picture (Ctrl+Shift+F, 96 forms), 256 MiB",
          "BM_FindTile/samepicture:1", "BM_FindBaseline", 4.0, "<= 4 x memmem")
memory_row("peak RSS of a search, 1 GiB - 32 KiB file", "BM_SearchPeakMemory/iterations:1")

head = ("path", "median", "floor", "ratio", "target", "ok")
width = [max(len(r[i]) for r in rows + [head]) for i in range(len(head))]
line = lambda r: "| " + " | ".join(c.ljust(w) for c, w in zip(r, width)) + " |"
print("medians of %s repetitions, %s time" % (reps, "CPU" if clock == "cpu" else "wall-clock"))
print(line(head))
print("|" + "|".join("-" * (w + 2) for w in width) + "|")
for r in rows:
    print(line(r))
sys.exit(1 if failed else 0)
PY
