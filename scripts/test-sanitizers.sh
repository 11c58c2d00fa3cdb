#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the test suite; any sanitizer report fails the test that triggered it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HXV5_ASAN_BUILD_DIR:-$root/build-asan}"
jobs="${HXV5_JOBS:-$(nproc)}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHXV5_WERROR=ON -DHXV5_SANITIZE=ON
cmake --build "$build" -j "$jobs"
# Undefined behaviour stops the test (the build uses -fno-sanitize-recover); a leak or a memory
# error fails it through AddressSanitizer's exit code.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:check_initialization_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
