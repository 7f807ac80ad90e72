#!/usr/bin/env bash
# Fuzzes every target of a fuzz build (see `make fuzz`) for FUZZ_SECONDS seconds each (default 60), one after
# the other on one core. New inputs go to <build>/corpus/<target>/ beside the committed seeds, findings to
# <build>/artifacts/<target>/; fix a finding, then copy its input into tests/fuzz/corpus/<target>/ so that
# `make test` replays it from then on. FUZZ_TARGETS (names separated by blanks) fuzzes only those targets.
set -uo pipefail

build="${1:-build/fuzz}"
seconds="${FUZZ_SECONDS:-60}"
only=" ${FUZZ_TARGETS:-} "
list="$build/tests/fuzz/fuzz_targets.txt"
if [ ! -s "$list" ]; then
    echo "fuzz: no fuzz targets listed in $list; build them first (make fuzz)" >&2
    exit 1
fi

# As in the test suites: targets that drive the engine run headless, and the GL drivers' own leaks are ignored.
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan.supp}"

failed=()
while read -r name binary seeds; do
    if [ "$only" != "  " ] && [[ "$only" != *" $name "* ]]; then
        continue
    fi
    work="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    mkdir -p "$work" "$artifacts"
    # A target may bring a dictionary of its format's words: tests/fuzz/dictionaries/<target>.dict.
    dictionary=()
    if [ -f "$seeds/../../dictionaries/$name.dict" ]; then
        dictionary=(-dict="$seeds/../../dictionaries/$name.dict")
    fi
    echo "fuzz: $name for $seconds s"
    # -timeout: one input running longer than 10 s is a hang; -rss_limit_mb: more than 2 GB is unbounded growth.
    if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "${dictionary[@]}" -artifact_prefix="$artifacts/" "$work" "$seeds" </dev/null; then
        failed+=("$name")
    fi
done <"$list"

if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs under $build/artifacts/)" >&2
    exit 1
fi
echo "fuzz: no findings"
