#!/usr/bin/env bash
# The tests' share of the code lines (see test-share.py); fails when the C++ share passes 37 % (the aim is 34 %).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard | python3 scripts/test-share.py
