#!/usr/bin/env python3
"""Prints the code lines of the tests and of everything else (the program, benchmarks, fuzz
targets, tools and scripts) and the tests' share, counted without blank lines and lines
holding only a comment or a docstring, two ways: all code (C++, Python, shell and CMake) and
the C++ files alone. Exits 1 when the share of the C++ files passes PELORIN_MAX_TEST_SHARE
percent (default 37; the aim is 34). Reads the paths on standard input."""
import os
import re
import sys


def kind(path):
    name = os.path.basename(path)
    if re.search(r"\.(cpp|h)$", name):
        return "c++"
    if name.endswith(".py"):
        return "python"
    if name.endswith((".sh", ".cmake")) or name == "CMakeLists.txt" or path == ".ci/run":
        return "shell"
    return None


def count(path, language):
    lines, closing = 0, None
    for line in open(path, encoding="utf-8", errors="replace"):
        s = line.strip()
        if closing:
            if closing in s:
                closing = None
            continue
        if not s:
            continue
        if language == "c++":
            if s.startswith("//"):
                continue
            if s.startswith("/*"):
                closing = None if "*/" in s else "*/"
                continue
        else:
            if s.startswith("#"):
                continue
            if language == "python" and s.startswith(('"""', "'''")):
                closing = None if s.count(s[:3]) > 1 else s[:3]
                continue
        lines += 1
    return lines


counts = {"all code": [0, 0], "C++ alone": [0, 0]}
for path in sys.stdin.read().splitlines():
    language = kind(path)
    if not language or not os.path.isfile(path):
        continue
    side = 0 if path.startswith("tests/") else 1
    lines = count(path, language)
    counts["all code"][side] += lines
    if language == "c++":
        counts["C++ alone"][side] += lines
shares = []
for name, (tests, code) in counts.items():
    share = 100.0 * tests / max(tests + code, 1)
    shares.append(share)
    print("%s: test lines %d, other lines %d, tests' share %.1f %%" % (name, tests, code, share))
limit = float(os.environ.get("PELORIN_MAX_TEST_SHARE", "37"))
if shares[1] > limit:
    print("the tests' share of the C++ code is past %g %%" % limit, file=sys.stderr)
    sys.exit(1)
