#!/usr/bin/env bash
# Runs every fuzz target of BUILD_DIR for SECONDS seconds each, starting from the seeds in
# tests/fuzz/seeds, the shipped data, the tests' sample files and the kept regression
# inputs. Fails when any target finds a crash, a hang, a leak or a sanitizer report; the
# faulty input is left in BUILD_DIR/artifacts.
set -uo pipefail
BUILD_DIR=${1:?build folder}
SECONDS_EACH=${2:-60}
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
TARGETS="${FUZZ_TARGETS:-variant_file game_file game_replay settings_file book rating_file typed_moves}"

seed() {  # seed TARGET: the folders and files its corpus starts from
    local t=$1
    echo "$ROOT/tests/fuzz/seeds/$t"
    [ -d "$ROOT/tests/data/regressions/$t" ] && echo "$ROOT/tests/data/regressions/$t"
    case $t in
        game_file|game_replay)
            echo "$ROOT/data/white bookgames"
            echo "$ROOT/data/black bookgames"
            find "$ROOT/tests/data" -name '*.zlk' -not -path '*/regressions/*' -printf '%h\n' | sort -u ;;
    esac
}

failed=0
summary=""
mkdir -p "$BUILD_DIR/artifacts"
for t in $TARGETS; do
    exe="$BUILD_DIR/bin/fuzz_$t"
    corpus="$BUILD_DIR/corpus/$t"
    mkdir -p "$corpus"
    while IFS= read -r source; do
        [ -e "$source" ] && find "$source" -maxdepth 1 -type f -exec cp -n {} "$corpus/" \;
    done < <(seed "$t")
    log="$BUILD_DIR/artifacts/$t.log"
    echo "== fuzz_$t for ${SECONDS_EACH}s"
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$exe" "$corpus" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$BUILD_DIR/artifacts/$t-" \
        >"$log" 2>&1
    rc=$?
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
    if [ $rc -ne 0 ]; then
        failed=1
        echo "fuzz_$t FAILED (exit $rc); log: $log"
        grep -E -m 20 'ERROR|SUMMARY|broken promise|runtime error|Test unit written' "$log"
    fi
    summary+=$(printf '%-14s %10s runs  %s' "$t" "${runs:-?}" "$([ $rc -eq 0 ] && echo ok || echo FAILED)")$'\n'
done
echo "== fuzzing summary"
printf '%s' "$summary"
exit $failed
