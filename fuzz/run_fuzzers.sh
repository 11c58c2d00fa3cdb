#!/usr/bin/env bash
# Builds the fuzz targets with clang, generates their seed corpora and runs each target in turn.
#
#   fuzz/run_fuzzers.sh [SECONDS_PER_TARGET] [TARGET...]
#
# The build goes to build-fuzz (HXV5_FUZZ_BUILD_DIR to change it); the seeds are regenerated
# into build-fuzz/seeds, the growing corpora stay in build-fuzz/corpus, and a crashing input is
# written to build-fuzz/artifacts. One target runs at a time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${HXV5_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-600}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(clone_file csv_import reply_framing record_decoder settings_decoder)
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
    CXX=clang++ CC=clang cmake -S "$root" -B "$build" -G Ninja -DHXV5_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j 2 --target make_seeds "${targets[@]/#/fuzz_}"
rm -rf "$build/seeds"
"$build/bin/make_seeds" "$build/seeds"
mkdir -p "$build/artifacts"

status=0
for target in "${targets[@]}"; do
    mkdir -p "$build/corpus/$target"
    # The CSV target reads a whole exported table back for some inputs: shorter inputs keep it
    # fast enough to explore.
    extra=()
    [ "$target" = csv_import ] && extra=(-max_len=2048)
    echo "== fuzz_$target for $seconds s"
    if ! "$build/bin/fuzz_$target" "$build/corpus/$target" "$build/seeds/$target" \
        -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "${extra[@]}"; then
        echo "fuzz_$target FAILED: see $build/artifacts"
        status=1
    fi
done
exit $status
