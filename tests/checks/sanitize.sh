#!/usr/bin/env bash
# Runs a sanitized build's tests. Every process the tests start writes its
# sanitizer reports to files, so that a finding in a child no test watches
# still fails the run.
# Usage: tests/checks/sanitize.sh BUILD_DIR [JOBS]
set -uo pipefail
build=$(cd "$1" && pwd)
jobs=${2:-$(nproc)}
reports=$build/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="log_path=$reports/asan:detect_leaks=1"
export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1"

status=0
ctest --test-dir "$build" --output-on-failure --parallel "$jobs" || status=1
if compgen -G "$reports/*" >/dev/null; then
    cat "$reports"/*
    echo "sanitizers: the findings above" >&2
    status=1
fi
exit $status
