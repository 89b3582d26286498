#!/usr/bin/env bash
# Static checks: every source file formatted as .clang-format says, cppcheck
# clean, and the library, host and simulated driver clang-tidy clean under
# .clang-tidy. Needs a configured build tree for its compile commands.
# Usage: cmake/lint.sh [BUILD_DIR] [JOBS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
jobs=${2:-$(nproc)}

mapfile -t sources < <(find src include host sim tests examples bench -name '*.c' -o -name '*.cpp' -o -name '*.h' | sort)

echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"

echo "cppcheck"
cppcheck --quiet --std=c++17 --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr \
    --suppress=missingIncludeSystem \
    -I include -I src -I sim -I tests src host sim tests examples bench

echo "clang-tidy"
find src host sim -name '*.cpp' | sort | xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet 2>/dev/null
echo "links of the README and docs/"
python3 cmake/check_links.py
echo "static checks clean"
