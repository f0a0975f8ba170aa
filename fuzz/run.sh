#!/usr/bin/env bash
# Runs every fuzz target for a while on a scratch copy of its seeds (the inputs the fuzzer adds
# are thrown away, so the repository's corpus stays hand-written). An input that crashes a
# target or breaks one of its properties is kept as BUILD/fuzz/artifacts/<target>-crash-<hash>,
# the run's output as BUILD/fuzz/logs/<target>.log, and the script fails naming the targets.
#
# Usage: fuzz/run.sh BUILD_FOLDER [SECONDS_PER_TARGET]
# Reproduce a failure: BUILD_FOLDER/fuzz/mako_fuzz_<target> BUILD_FOLDER/fuzz/artifacts/<file>
set -uo pipefail

build=${1:?usage: fuzz/run.sh BUILD_FOLDER [SECONDS_PER_TARGET]}
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
artifacts="$build/fuzz/artifacts"
logs="$build/fuzz/logs"
mkdir -p "$artifacts" "$logs"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Stop at the first fault and leave the saving of the input to libFuzzer; a caller's own
# settings win.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for seeds in "$here"/corpus/*/; do
    target=$(basename "$seeds")
    binary="$build/fuzz/mako_fuzz_$target"
    dictionary="$here/$target.dict"
    [ -f "$dictionary" ] || dictionary="$here/json.dict"
    corpus="$scratch/$target"
    mkdir -p "$corpus"
    cp "$seeds"* "$corpus/"
    echo "== fuzz $target for ${seconds}s"
    # One input may take at most 10 s and the process 2 GB; inputs stay under 8 KB, which is
    # enough for the nesting and escapes the parsers care about.
    if "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -dict="$dictionary" -artifact_prefix="$artifacts/$target-" "$corpus" \
        >"$logs/$target.log" 2>&1; then
        grep -E '^Done [0-9]+ runs' "$logs/$target.log" || true
    else
        # The report from its first line: the sanitizer's error or the broken property.
        sed -n '/ERROR: \|==== property failed\|ALARM: /,$p' "$logs/$target.log" | head -n 60
        echo "== fuzz $target FAILED; input saved as:"
        grep -E 'Test unit written to' "$logs/$target.log" | sed 's/.*written to /   /'
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed targets: ${failed[*]} (inputs in $artifacts, logs in $logs)"
    exit 1
fi
echo "fuzz: all targets passed"
