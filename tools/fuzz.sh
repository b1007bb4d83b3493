#!/usr/bin/env bash
# Builds the fuzz build and runs each libFuzzer target for a while, one process on one core,
# starting from its seed corpus (tests/fuzz/corpus/TARGET) and from what earlier runs on this
# machine found (build/fuzz/corpus/TARGET). A finding stops the run and is kept under
# build/fuzz/findings/ with the input that shows it; the exit status is then 1.
#
#   tools/fuzz.sh                          # every target, 45 s each (what CI runs)
#   tools/fuzz.sh --seconds 3600 report_answers_fuzzer
#   tools/fuzz.sh --no-build ...           # the build is already there
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

all_targets=(report_description_fuzzer report_answers_fuzzer item_id_list_fuzzer find_rules_fuzzer)
seconds=45
build=1
targets=()
while [[ $# -gt 0 ]]; do
    case $1 in
        --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
        --no-build) build=0; shift ;;
        -h|--help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
        *) targets+=("$1"); shift ;;
    esac
done
[[ ${#targets[@]} -gt 0 ]] || targets=("${all_targets[@]}")

if [[ $build -eq 1 ]]; then
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTREL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
    cmake --build build/fuzz -j"$(nproc)" --target "${targets[@]}"
fi

status=0
for target in "${targets[@]}"; do
    binary=build/fuzz/tests/fuzz/$target
    [[ -x $binary ]] || { echo "fuzz.sh: $binary is not built" >&2; exit 2; }
    corpus=build/fuzz/corpus/$target
    findings=build/fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
             -print_final_stats=1 -artifact_prefix="$findings/")
    dict=tests/fuzz/$target.dict
    [[ -r $dict ]] && options+=(-dict="$dict")
    log=build/fuzz/$target.log
    echo "fuzz.sh: $target for $seconds s" >&2
    if ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$binary" "${options[@]}" "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: clean, $runs executions in $seconds s"
    else
        echo "$target: FINDING (see $log and $findings/)"
        tail -40 "$log"
        status=1
    fi
done
exit $status
