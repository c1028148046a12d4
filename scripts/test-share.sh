#!/usr/bin/env bash
# Prints the C++ lines of the tests and of the rest (src, bench, fuzz, tools) and the tests'
# share of all of them; blank lines and lines holding only a comment are not counted.
# Exits 1 when the share passes PELORIN_MAX_TEST_SHARE percent (default 36).
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    git ls-files -co --exclude-standard -- "$@" | grep -E '\.(cpp|h)$' | xargs -r cat |
        awk '
            /^[ \t]*$/ { next }
            inblock { if ($0 ~ /\*\//) inblock = 0; next }
            /^[ \t]*\/\// { next }
            /^[ \t]*\/\*/ { if ($0 !~ /\*\//) inblock = 1; next }
            { n++ }
            END { print n + 0 }'
}
tests=$(count tests)
code=$(count src bench fuzz tools)
share=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", 100 * t / (t + c) }')
echo "test lines: $tests, other code lines: $code, tests' share of all code: $share %"
limit="${PELORIN_MAX_TEST_SHARE:-36}"
awk -v s="$share" -v l="$limit" 'BEGIN { exit (s > l) ? 1 : 0 }' || {
    echo "the tests' share is past $limit %" >&2
    exit 1
}
