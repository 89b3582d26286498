#!/bin/sh
# Runs every benchmark and prints one Markdown table: a row per figure, the
# floor measured in the same run, their ratio and the target.
# usage: bench/run.sh BUILD_DIR [CROSS_BUILD_DIR...]
set -eu
build=$1
shift
programs=$(cd "$build" && pwd)/bench
# The farm's own sender where the build has one, else the development host.
sender=$(cd "$build" && pwd)/bin/tulvakctl
[ -x "$sender" ] || sender=$(cd "$build" && pwd)/bin/tulvak

cat <<HEADER
- machine: $(uname -m), $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -n 1), $(nproc) cores, $(uname -sr)
- date: $(date -u '+%Y-%m-%d %H:%M UTC')
- commit: $(git rev-parse --short HEAD)$(git diff --quiet HEAD -- src include || echo ', library sources changed since')

| figure | libtulvak | floor | ratio | target |
|---|---|---|---|---|
HEADER

# Stripped as a package strips it, with the tree's own strip for its target.
stripped_size() {
    strip_tool=$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$2/CMakeCache.txt")
    "$strip_tool" -o "$programs/stripped.so" "$1"
    stat -c %s "$programs/stripped.so"
}

# figure, program, floor program, what the floor is, target; in bytes, stripped.
size_row() {
    size=$(stripped_size "$2" "$tree")
    floor=$(stripped_size "$3" "$tree")
    echo "| $1 | $size bytes | $floor bytes ($4) | $(awk "BEGIN { printf \"%.2f\", $size / $floor }") | $5 |"
}

for tree in "$build" "$@"; do
    machine=$(file -b "$tree/lib/libtulvak.so" | cut -d, -f2 | sed 's/^ //')
    target=''
    [ "$machine" = x86-64 ] && target='<= 48 KiB (49152 bytes)'
    size_row "stripped libtulvak.so, $machine" "$tree/lib/libtulvak.so" "$tree/bench/libsize_floor.so" \
        'an empty library' "$target"
    for link in static dynamic; do
        size_row "stripped tulvakctl, $machine, $link" "$tree/bench/tulvakctl_$link" \
            "$tree/bench/program_floor_$link" "an empty C program, $link" ''
    done
done
rm -f "$programs/stripped.so"

# The console's walk, its module menus found by name, since a module added
# anywhere moves them: the scaler's driver calls, the demultiplexer's, a
# refusal in a module menu, nothing chosen, the hardware and software menus'
# refusals, each back to the main menu.
opener() { "$sender" list | awk -F'\t' -v opens="opens $1" '$4 == opens {n = split($1, path, " "); print path[n]}'; }
walk="3 $(opener 'XC Menu') 2 5 9 13 99 $(opener 'DMX Menu') 1 2 99 $(opener 'DDC2BI Menu') 1 99 0 77 99 1 1 99 2 3 99"
"$programs/console_throughput" "$programs/session_host" "$programs/console_floor" \
    "$programs/libstdio_recorder.so" "$programs/liballocation_counter.so" "$walk"
python3 "$(dirname "$0")/../tests/harness.py" "$programs/pipe_delivery" "$programs/session_host" \
    "$programs/pipe_floor_reader" "$programs/confirmed_floor_sender" "$sender" \
    "$programs/liballocation_counter.so" "$("$sender" list | awk -F'\t' '$4 == "opens XC Menu" {print $1}')"
python3 "$(dirname "$0")/../tests/harness.py" python3 "$(dirname "$0")/farm_state.py" "$(cd "$build" && pwd)/bin"
