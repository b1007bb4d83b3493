#!/usr/bin/env bash
# Measures Ostrel against its floors, side by side in one run, and prints each ratio against its
# goal (exit status 1 when a goal is missed):
#   native  the writer and document on a 100,000-line report against snprintf into one string
#           (at most 3 times), and their growth for 10 times the lines (at most 11 times);
#   wine    for each test-bed queue, one report of the report tool against report-floor.exe, a
#           bare program making exactly the spooler calls of that report (at most 1.10 times);
#           the spooler calls of both, counted by Wine's relay trace (the report makes no call the
#           floor does not); and --list and --all with 50 and 200 queues against the floor's
#           (at most 1.10 times; 200 queues at most 4.4 times 50: linear).
#
#   tools/bench-ratios.sh [native] [wine]     (both by default)
#   BENCH_ROUNDS=9 BENCH_LIST_ROUNDS=5 tools/bench-ratios.sh wine
#
# Wine runs the Windows build this machine can run (tools/testbed/wine-loader.sh: the 32-bit one
# where 32-bit code runs, else the 64-bit one), in a fresh test bed. Times are medians of paired
# runs taking turns, in processor time (see elapsed below); one Wine process is kept alive
# throughout, so no run pays for starting Wine's desktop process or the wineserver.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

parts=("$@")
[[ ${#parts[@]} -gt 0 ]] || parts=(native wine)
rounds=${BENCH_ROUNDS:-9}
list_rounds=${BENCH_LIST_ROUNDS:-5}
missed=0
server_pids=
holder_pid=

verdict() { # what value goal
    local met
    met=$(awk -v v="$2" -v g="$3" 'BEGIN { print (v <= g) ? "met" : "MISSED" }')
    printf '%-58s %6.2f  (goal <= %.2f)  %s\n' "$1" "$2" "$3" "$met"
    [[ $met == met ]] || missed=1
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

run_native() {
    echo "== native: report writer and document"
    tools/build.sh native >/dev/null
    build/native/tests/ostrel_writer_floor 100000 || missed=1
}

# Processor time of one run, in microseconds: the program's own process, and what the wineserver
# and cupsd spent meanwhile (both serve the spooler calls). On a machine shared with other work,
# wall time mostly measures the others: it varies by a factor of two between identical runs.
server_ticks() {
    local pid total=0
    for pid in $server_pids; do
        total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}
elapsed() {
    local before after own
    before=$(server_ticks)
    own=$( { TIMEFORMAT='%3U %3S'; time "$@" >/dev/null 2>&1 </dev/null; } 2>&1 | tail -1)
    after=$(server_ticks)
    awk -v own="$own" -v ticks=$((after - before)) -v hz="$(getconf CLK_TCK)" \
        'BEGIN { split(own, t, " "); printf "%d\n", (t[1] + t[2] + ticks / hz) * 1e6 }'
}

# Median times of two commands (given as two strings of words), in paired runs taking turns;
# prints "report floor" in microseconds.
paired() { # rounds "report command" "floor command"
    local n=$1 i reports=() floors=()
    read -r -a a <<<"$2"
    read -r -a b <<<"$3"
    # A first run of each fills the caches; for a single long round it would only double the time.
    if ((n > 1)); then
        elapsed "${a[@]}" >/dev/null
        elapsed "${b[@]}" >/dev/null
    fi
    for ((i = 0; i < n; i++)); do
        if ((i % 2 == 0)); then
            reports+=("$(elapsed "${a[@]}")")
            floors+=("$(elapsed "${b[@]}")")
        else
            floors+=("$(elapsed "${b[@]}")")
            reports+=("$(elapsed "${a[@]}")")
        fi
    done
    echo "$(printf '%s\n' "${reports[@]}" | median) $(printf '%s\n' "${floors[@]}" | median)"
}

# The winspool calls a program makes itself (not those the driver makes inside), one name a line,
# from Wine's relay trace: the calls whose return address lies in the program's own image.
spooler_calls() { # program arguments...
    local base size first last
    base=$(objdump -p "$1" | awk '$1 == "ImageBase" { print $2 }')
    size=$(objdump -p "$1" | awk '$1 == "SizeOfImage" { print $2 }')
    first=$(printf '%016x' $((0x$base)))
    last=$(printf '%016x' $((0x$base + 0x$size)))
    WINEDEBUG=+relay "$TB_WINE" "$@" 2>&1 >/dev/null </dev/null |
        grep -a ':Call winspool\.drv\.' |
        awk -v first="$first" -v last="$last" '{
            name = $0; sub(/^.*Call winspool\.drv\./, "", name); sub(/\(.*/, "", name)
            ret = tolower($0); sub(/^.* ret=/, "", ret)
            while (length(ret) < 16) ret = "0" ret
            if (ret >= first && ret < last) print name }' | sort
}

# A Wine process that loads a driver, alive while the runs are measured: no run pays for starting
# the wineserver or Wine's desktop process. Then the servers whose work each run is charged with:
# this test bed's wineserver (other test beds may run their own) and cupsd. The first runs must not
# be charged with what the servers still do for the holder's start either: the measuring begins
# once the holder has its driver and the servers have been idle for a second (at most 30 tries).
start_holder() {
    local ready=$OSTREL_TESTBED_DIR/holder.out pid tries before after
    "$TB_WINE" "$floor" --hold </dev/null >"$ready" 2>/dev/null &
    holder_pid=$!
    for ((tries = 0; tries < 300; tries++)); do
        grep -q ready "$ready" && break
        sleep 0.1
    done
    "$TB_WINE" "$floor" --list >/dev/null 2>&1
    server_pids=$(cat "$OSTREL_TESTBED_DIR/cups/cupsd.pid")
    for pid in $(pgrep wineserver); do
        # Another test bed's wineserver may end meanwhile.
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            server_pids="$server_pids $pid"
        fi
    done
    before=$(server_ticks)
    for ((tries = 0; tries < 30; tries++)); do
        sleep 1
        after=$(server_ticks)
        ((after - before > 1)) || break
        before=$after
    done
}

# Wine takes the CUPS queues into its printer list when its wineserver starts: queues added while
# one runs stay unseen. The holder and the wineserver end here, by the holder's id and the server's
# own command.
stop_holder() {
    [[ -n $holder_pid ]] || return 0
    kill "$holder_pid" 2>/dev/null || true
    wait "$holder_pid" 2>/dev/null || true
    holder_pid=
    timeout 30 wineserver -w >/dev/null 2>&1 || true
}

# --list or --all of the report tool and of the floor in paired runs taking turns; prints "report
# floor ratio": the median times in microseconds and the median of the pairs' ratios. A pair runs
# back to back, so its ratio is little touched by the load of the shared machine drifting between
# pairs, which moves the medians of the times themselves by a tenth from one run to the next.
list_pairs() { # mode
    local i r f reports=() floors=() ratios=()
    paired 1 "$TB_WINE $tool $1" "$TB_WINE $floor $1" >/dev/null
    for ((i = 0; i < list_rounds; i++)); do
        if ((i % 2 == 0)); then
            read -r r f <<<"$(paired 1 "$TB_WINE $tool $1" "$TB_WINE $floor $1")"
        else
            read -r f r <<<"$(paired 1 "$TB_WINE $floor $1" "$TB_WINE $tool $1")"
        fi
        reports+=("$r")
        floors+=("$f")
        ratios+=("$(awk -v r="$r" -v f="$f" 'BEGIN { print r / f }')")
    done
    echo "$(printf '%s\n' "${reports[@]}" | median) $(printf '%s\n' "${floors[@]}" | median)" \
        "$(printf '%s\n' "${ratios[@]}" | median)"
}

run_wine() {
    # shellcheck source=testbed/wine-loader.sh
    source tools/testbed/wine-loader.sh
    local build=win64
    [[ $tb_runs_32bit -eq 1 ]] && build=win32
    echo "== wine: $build build (${TB_WINE_SKIP_REASON:-every build runs here; measuring the primary one})"
    tools/build.sh "$build" >/dev/null
    tool=build/$build/app/ostrel-report.exe
    floor=build/$build/tests/report-floor.exe

    eval "$(tools/testbed/start.sh)"
    trap 'tools/testbed/stop.sh >/dev/null 2>&1' EXIT
    trap 'stop_holder; tools/testbed/stop.sh >/dev/null 2>&1' EXIT
    start_holder
    echo "servers measured with each run: $server_pids"

    local queues=() queue default times
    mapfile -t queues < <("$TB_WINE" "$tool" --list | tr -d '\r')
    default=$(lpstat -d | sed 's/^.*: //')
    echo "queues: ${queues[*]} (default $default)"

    echo "-- one report against the floor (median of $rounds paired runs)"
    for queue in "${queues[@]}"; do
        times=$(paired "$rounds" "$TB_WINE $tool $queue" "$TB_WINE $floor $queue")
        read -r r f <<<"$times"
        printf '%-16s report %6.1f ms  floor %6.1f ms processor time\n' "$queue" "$(awk -v x="$r" 'BEGIN{print x/1000}')" \
            "$(awk -v x="$f" 'BEGIN{print x/1000}')"
        verdict "report / floor, $queue" "$(awk -v r="$r" -v f="$f" 'BEGIN { print r / f }')" 1.10
    done

    echo "-- spooler calls (Wine relay trace: the winspool.drv calls each program makes itself)"
    local extra
    for queue in "${queues[@]}"; do
        spooler_calls "$tool" "$queue" >"$OSTREL_TESTBED_DIR/report.calls"
        spooler_calls "$floor" "$queue" >"$OSTREL_TESTBED_DIR/floor.calls"
        extra=$(comm -23 "$OSTREL_TESTBED_DIR/report.calls" "$OSTREL_TESTBED_DIR/floor.calls" | uniq -c |
            awk '{ printf "%s%s x%s", sep, $2, $1; sep = ", " }')
        printf '%-16s report %3d calls, floor %3d calls; calls the floor does not make: %s\n' "$queue" \
            "$(wc -l <"$OSTREL_TESTBED_DIR/report.calls")" "$(wc -l <"$OSTREL_TESTBED_DIR/floor.calls")" \
            "${extra:-none}"
        [[ -z $extra ]] || missed=1
    done

    # The reports go to /dev/null, a character device as a console is: the runtime does not buffer
    # standard output there, so the tool's way of writing it counts.
    echo "-- printer list and a report per printer, 50 and 200 queues (median of $list_rounds pairs' ratios)"
    local count listed ratio have=${#queues[@]} ppd=tests/fixtures/ppd/Ricoh-Aficio_MP_1100_PS.ppd
    local -A list_time all_time all_floor_time
    for count in 50 200; do
        stop_holder
        for ((; have < count; have++)); do
            lpadmin -p "$(printf 'Bench-%03d' "$have")" -v file:/dev/null -P "$ppd" -E >/dev/null 2>&1
        done
        start_holder
        # Wine must see every queue, or the figures below are of fewer printers than they say.
        listed=$("$TB_WINE" "$tool" --list | wc -l)
        echo "$count queues in CUPS: the report tool lists $listed"
        [[ $listed -eq $count ]] || missed=1
        read -r r f ratio <<<"$(list_pairs --list)"
        list_time[$count]=$r
        verdict "--list / floor, $count queues" "$ratio" 1.10
        read -r r f ratio <<<"$(list_pairs --all)"
        all_time[$count]=$r
        all_floor_time[$count]=$f
        printf '%-16s --all %8.1f ms  floor %8.1f ms  (a printer: %.1f and %.1f ms; ratio of the medians %.2f)\n' \
            "$count queues" "$(awk -v x="$r" 'BEGIN{print x/1000}')" "$(awk -v x="$f" 'BEGIN{print x/1000}')" \
            "$(awk -v x="$r" -v n="$count" 'BEGIN{print x/1000/n}')" "$(awk -v x="$f" -v n="$count" 'BEGIN{print x/1000/n}')" \
            "$(awk -v r="$r" -v f="$f" 'BEGIN { print r / f }')"
        verdict "--all / floor, $count queues" "$ratio" 1.10
    done
    verdict "--list, time for 200 queues / 50 queues" \
        "$(awk -v a="${list_time[200]}" -v b="${list_time[50]}" 'BEGIN { print a / b }')" 4.40
    printf '%-58s %6.2f\n' "(the floor's --all, time for 200 queues / 50 queues)" \
        "$(awk -v a="${all_floor_time[200]}" -v b="${all_floor_time[50]}" 'BEGIN { print a / b }')"
    verdict "--all, time for 200 queues / 50 queues" \
        "$(awk -v a="${all_time[200]}" -v b="${all_time[50]}" 'BEGIN { print a / b }')" 4.40
}

for part in "${parts[@]}"; do
    case $part in
        native) run_native ;;
        wine) run_wine ;;
        *) echo "bench-ratios.sh: unknown part '$part' (native, wine)" >&2; exit 2 ;;
    esac
done
exit $missed
