#!/usr/bin/env python3
"""Prints the code lines of the tests and of everything else (the program, benchmarks, fuzz
targets, tools and scripts: C++, Python, shell and CMake) and the tests' share of all code.
Blank lines and lines holding only a comment or a docstring are not counted. Exits 1 when the
share passes PELORIN_MAX_TEST_SHARE percent (default 36). Reads the paths on standard input."""
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


tests = code = 0
for path in sys.stdin.read().splitlines():
    language = kind(path)
    if language and os.path.isfile(path):
        if path.startswith("tests/"):
            tests += count(path, language)
        else:
            code += count(path, language)
share = 100.0 * tests / (tests + code)
print("test lines: %d, other code lines: %d, tests' share of all code: %.1f %%" % (tests, code, share))
limit = float(os.environ.get("PELORIN_MAX_TEST_SHARE", "36"))
if share > limit:
    print("the tests' share is past %g %%" % limit, file=sys.stderr)
    sys.exit(1)
