#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs them.
#
#   scripts/fuzz.sh [SECONDS]          each target for SECONDS (default 60), one after
#                                      the other, on FUZZ_JOBS workers (default: all cores)
#   scripts/fuzz.sh --smoke [SECONDS]  each target over its seed corpus, then SECONDS
#                                      more (default 5), one worker: the CI run
#
# FUZZ_TARGETS="xml_document ini_file" limits the run to those targets; extra
# libFuzzer options can follow in FUZZ_ARGS. A crash, a hang (over 1 s for one
# input), a leak or a failed round trip stops the run with an error; the input
# is saved in build/fuzz/findings/<target>/. New corpus entries go to
# build/fuzz/corpus/<target>/, outside the repository; copy an entry worth
# keeping (every finding's input) into fuzz/corpus/<target>/.
#
# FUZZ_NO_BUILD=1 runs the targets already in build/fuzz without building them,
# so that several runs can share one build: e.g. four lanes in parallel, each
#   FUZZ_NO_BUILD=1 FUZZ_JOBS=1 FUZZ_TARGETS="<a few targets>" nice scripts/fuzz.sh 600
# after one build by `scripts/fuzz.sh 1`.
set -euo pipefail
cd "$(dirname "$0")/.."

SMOKE=0
if [ "${1:-}" = "--smoke" ]; then
  SMOKE=1
  shift
fi
SECONDS_PER_TARGET=${1:-$([ $SMOKE = 1 ] && echo 5 || echo 60)}
JOBS=${FUZZ_JOBS:-$([ $SMOKE = 1 ] && echo 1 || nproc)}
BUILD=build/fuzz

if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  ./scripts/setup.sh
  LAUNCHER=()
  if command -v ccache >/dev/null 2>&1; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DZIDI_BUILD_FUZZ=ON -DZIDI_BUILD_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
  cmake --build "$BUILD" -j "${FUZZ_BUILD_JOBS:-$(nproc)}"
fi

TARGETS=${FUZZ_TARGETS:-$(ls fuzz/corpus)}
# Freed memory is not handed back to the system in the middle of a run: on a busy
# machine that housekeeping alone can stall one input past the hang limit.
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0:allocator_release_to_os_interval_ms=-1
export LSAN_OPTIONS=suppressions=$PWD/tests/common/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# A loaded CI machine gets more room per input than the 1 s of a real run.
TIMEOUT=$([ $SMOKE = 1 ] && echo 10 || echo 1)

failed=()
for t in $TARGETS; do
  exe="$BUILD/fuzz/fuzz_$t"
  if [ ! -x "$exe" ]; then
    echo "fuzz: no target $t" >&2
    failed+=("$t")
    continue
  fi
  findings="$BUILD/findings/$t"
  corpus="$BUILD/corpus/$t"
  mkdir -p "$findings" "$corpus"
  if [ $SMOKE = 1 ]; then
    # The smoke run keeps nothing it finds except crashes.
    corpus=$(mktemp -d)
  fi
  args=(-max_total_time="$SECONDS_PER_TARGET" -timeout="$TIMEOUT" -rss_limit_mb=2560
        -artifact_prefix="$findings/" -print_final_stats=1)
  if [ "$JOBS" -gt 1 ]; then args+=(-fork="$JOBS" -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0); fi
  echo "== fuzz_$t: ${SECONDS_PER_TARGET} s, $JOBS worker(s)"
  log="$BUILD/findings/$t.log"
  # shellcheck disable=SC2086
  if "$exe" "${args[@]}" ${FUZZ_ARGS:-} "$corpus" "fuzz/corpus/$t" >"$log" 2>&1; then
    # The executions reached: the final statistics, or the last line of a forked run.
    grep -E "^stat::number_of_executed_units|^#[0-9]+: cov" "$log" | tail -1 || true
  else
    echo "fuzz: fuzz_$t failed; see $log and $findings/" >&2
    grep -E "ERROR|property failed|SUMMARY" "$log" | head -5 >&2 || true
    failed+=("$t")
  fi
  if [ $SMOKE = 1 ]; then rm -rf "$corpus"; fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed targets: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: every target passed"
