#!/usr/bin/env bash
# Static checks: every source file formatted as .clang-format says, cppcheck
# clean, and the library, host and simulated driver clang-tidy clean under
# .clang-tidy; the manual pages without a warning from groff (as lintian reads
# them) or mandoc, and rendered by man with every section; the bash
# completions parsed by bash. Needs a configured build tree for its compile
# commands.
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
# Of the headers, the library's own and the host's: the public ones are C as
# well as C++ (typedef, <stdint.h>). They are named by their place in this
# tree, as the compile commands give it, so that the folders above it (a
# checkout under ~/src/, say) decide nothing.
tree=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt" | sed 's/[][\.*^$+?(){}|]/\\&/g')
find src host sim -name '*.cpp' | sort |
    xargs -P "$jobs" -n 4 clang-tidy -p "$build" --quiet --header-filter="^$tree/(src|host)/" 2>/dev/null

echo "manual pages"
for page in docs/*.1; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || { echo "$page: $warnings" >&2 && exit 1; }
    mandoc -T lint "$page"
    rendered=$(MANWIDTH=80 man -l "$page")
    while IFS= read -r section; do
        grep -qxF "$section" <<<"$rendered" || { echo "$page: man shows no section $section" >&2 && exit 1; }
    done < <(sed -n 's/^\.SH "\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$page")
done

echo "bash completions"
for completion in docs/*.bash-completion; do bash -n "$completion"; done

echo "links of the README and docs/"
python3 cmake/check_links.py
echo "static checks clean"
