#!/usr/bin/env bash
# Measures Ostrel against its floors, side by side in one run, and prints each ratio against its
# goal (exit status 1 when a goal is missed):
#   native  the writer and document on a 100,000-line report against snprintf into one string
#           (at most 3 times), and their growth for 10 times the lines (at most 11 times);
#           the findings of 10,000 printers' snapshots (one description file, read by the report
#           tool in the same process) against rendering their reports (at most 1.5 times), and
#           their growth from 1,000 printers (at most 11 times);
#   wine    for each test-bed queue, one report of the report tool against report-floor.exe, a
#           bare program making exactly the spooler calls of that report (at most 1.10 times);
#           the spooler calls of both, counted by Wine's relay trace (the report makes no call the
#           floor does not); and --list and --all with 50 and 200 queues against the floor's
#           (at most 1.10 times; 200 queues at most 4.4 times 50: linear);
#   snapshot --snapshot --all -o FILE against --all, both of the report tool, at 50 queues (at most
#           1.10 times: recording the machine costs the reports' queries plus the file's write);
#   refresh Ostrel.exe's refresh (F5) with 20 report windows open, at 50 and at 200 queues: the
#           time for 200 at most 4.4 times that for 50 (linear);
#   run     `tools/run.sh --list` once its test bed runs, against the same command inside that test
#           bed (wall time, at most 1.5 times; and at most 3 s).
#
#   tools/bench-ratios.sh [native] [wine] [snapshot] [refresh] [run]     (all by default)
#   BENCH_ROUNDS=9 BENCH_LIST_ROUNDS=9 BENCH_REFRESH_ROUNDS=9 tools/bench-ratios.sh wine refresh
#
# Wine runs the Windows build this machine can run (tools/testbed/wine-loader.sh: the 32-bit one
# where 32-bit code runs, else the 64-bit one), in a fresh test bed. Times are medians of paired
# runs taking turns, in processor time (see elapsed below); one Wine process is kept alive
# throughout, so no run pays for starting Wine's desktop process or the wineserver.
source "$(dirname "${BASH_SOURCE[0]}")/errors.sh"
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

parts=("$@")
[[ ${#parts[@]} -gt 0 ]] || parts=(native wine snapshot refresh run)
rounds=${BENCH_ROUNDS:-9}
list_rounds=${BENCH_LIST_ROUNDS:-9}
refresh_rounds=${BENCH_REFRESH_ROUNDS:-9}
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
    echo "== native: findings of 10,000 printers' snapshots"
    build/native/tests/ostrel_findings_bench 10000 || missed=1
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

# Two runs of the report tool with different arguments, in pairs taking turns; prints "a b ratio"
# as list_pairs does.
tool_pairs() { # "arguments a" "arguments b"
    local i r f as=() bs=() ratios=()
    paired 1 "$TB_WINE $tool $1" "$TB_WINE $tool $2" >/dev/null
    for ((i = 0; i < list_rounds; i++)); do
        if ((i % 2 == 0)); then
            read -r r f <<<"$(paired 1 "$TB_WINE $tool $1" "$TB_WINE $tool $2")"
        else
            read -r f r <<<"$(paired 1 "$TB_WINE $tool $2" "$TB_WINE $tool $1")"
        fi
        as+=("$r")
        bs+=("$f")
        ratios+=("$(awk -v r="$r" -v f="$f" 'BEGIN { print r / f }')")
    done
    echo "$(printf '%s\n' "${as[@]}" | median) $(printf '%s\n' "${bs[@]}" | median)" \
        "$(printf '%s\n' "${ratios[@]}" | median)"
}

run_snapshot() (
    # shellcheck source=testbed/wine-loader.sh
    source tools/testbed/wine-loader.sh
    local build=win64
    [[ $tb_runs_32bit -eq 1 ]] && build=win32
    echo "== snapshot: $build build, --snapshot --all against --all at 50 queues (median of $list_rounds pairs' ratios)"
    tools/build.sh "$build" >/dev/null
    tool=build/$build/console/ostrel-report.exe
    floor=build/$build/tests/report-floor.exe
    eval "$(tools/testbed/start.sh)"
    trap 'stop_holder; tools/testbed/stop.sh >/dev/null 2>&1' EXIT
    local have ppd=tests/fixtures/ppd/Ricoh-Aficio_MP_1100_PS.ppd r f ratio
    have=$("$TB_WINE" "$tool" --list | wc -l)
    for ((; have < 50; have++)); do
        lpadmin -p "$(printf 'Bench-%03d' "$have")" -v file:/dev/null -P "$ppd" -E >/dev/null 2>&1
    done
    start_holder
    read -r r f ratio <<<"$(tool_pairs "--snapshot --all -o $OSTREL_TESTBED_DIR/machine.json" --all)"
    printf '%-16s --snapshot --all %8.1f ms  --all %8.1f ms  (file of %d bytes)\n' "50 queues" \
        "$(awk -v x="$r" 'BEGIN{print x/1000}')" "$(awk -v x="$f" 'BEGIN{print x/1000}')" \
        "$(stat -c %s "$OSTREL_TESTBED_DIR/machine.json")"
    verdict "--snapshot --all / --all, 50 queues" "$ratio" 1.10
    exit $missed
)

run_wine() {
    # shellcheck source=testbed/wine-loader.sh
    source tools/testbed/wine-loader.sh
    local build=win64
    [[ $tb_runs_32bit -eq 1 ]] && build=win32
    echo "== wine: $build build (${TB_WINE_SKIP_REASON:-every build runs here; measuring the primary one})"
    tools/build.sh "$build" >/dev/null
    tool=build/$build/console/ostrel-report.exe
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

# The refresh with report windows open. Wine takes the CUPS queues into a prefix's printer list
# when its wineserver starts, so each queue count has a prefix of its own, held by a running
# Ostrel.exe: the test bed's prefix sees 50 queues; a second prefix, made after 150 more queues
# were added, sees 200. refresh-bench.exe (tests/bench/refresh_bench.cpp) opens the report windows
# in each and refreshes on request; the two are refreshed in turns.
refresh_windows=20
declare -A refresher_pid refresher_in refresher_out refresher_ready refresher_measured

# Processor time of the processes so far, in clock ticks.
ticks_of() {
    local pid total=0
    for pid in "$@"; do
        total=$((total + $(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}

# The pid of the process whose name matches $1 that runs in Wine prefix $2 (other test beds run
# their own).
wine_process_of_prefix() {
    local pid
    for pid in $(pgrep "$1"); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$2"; then
            echo "$pid"
            return
        fi
    done
}

# Starts Ostrel.exe with its report windows in prefix $2, under the name $1; its first answer,
# "ready ENTRIES WINDOWS", goes to refresher_ready.
start_refresher() { # name prefix
    local name=$1 prefix=$2 dir=$OSTREL_TESTBED_DIR/refresh-$1 fd line exe
    mkdir -p "$dir"
    mkfifo "$dir/in" "$dir/out"
    exe=Z:$root/build/$build/desktop/Ostrel.exe
    # The new process must not hold the other one's input open: its end would never come.
    (
        for fd in "${refresher_in[@]}" "${refresher_out[@]}"; do exec {fd}>&-; done
        WINEPREFIX=$prefix exec "$TB_WINE" "build/$build/tests/refresh-bench.exe" "${exe//\//\\}" \
            "$refresh_windows" <"$dir/in" >"$dir/out" 2>"$dir/err"
    ) &
    refresher_pid[$name]=$!
    exec {fd}>"$dir/in"
    refresher_in[$name]=$fd
    exec {fd}<"$dir/out"
    refresher_out[$name]=$fd
    read -r -t 600 line <&"${refresher_out[$name]}" || line="did not start: $(tail -3 "$dir/err")"
    refresher_ready[$name]=${line%$'\r'}  # a console program's lines end in CR LF
    # Each refresh is charged with Ostrel.exe, the prefix's wineserver and cupsd.
    refresher_measured[$name]="$(wine_process_of_prefix '^Ostrel\.exe$' "$prefix") \
$(wine_process_of_prefix '^wineserver' "$prefix") $(cat "$OSTREL_TESTBED_DIR/cups/cupsd.pid")"
}

# The end of its input closes Ostrel.exe and ends refresh-bench.exe; one that has not ended
# within 30 s is ended by its id.
stop_refreshers() {
    local name fd pid i
    for name in "${!refresher_pid[@]}"; do
        fd=${refresher_in[$name]}
        exec {fd}>&-
    done
    for name in "${!refresher_pid[@]}"; do
        pid=${refresher_pid[$name]}
        i=0
        while kill -0 "$pid" 2>/dev/null && ((i++ < 30)); do sleep 1; done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        fd=${refresher_out[$name]}
        exec {fd}<&-
    done
}

# One refresh of the named Ostrel.exe; prints its processor time in microseconds. The refresh
# runs inside the command; the repaints it leaves follow, so the time runs on until Ostrel.exe has
# used no processor time for 0.3 s.
refresh_once() { # name
    local name=$1 before after answer last now
    local -a measured
    read -r -a measured <<<"${refresher_measured[$name]}"
    before=$(ticks_of "${measured[@]}")
    echo refresh >&"${refresher_in[$name]}"
    read -r -t 600 answer <&"${refresher_out[$name]}" || answer=nothing
    [[ ${answer%$'\r'} == refreshed ]] || { echo "refresh-bench $name answered '$answer'" >&2; return 1; }
    now=$(ticks_of "${measured[0]}")
    last=-1
    while [[ $now != "$last" ]]; do
        last=$now
        sleep 0.3
        now=$(ticks_of "${measured[0]}")
    done
    after=$(ticks_of "${measured[@]}")
    echo $(((after - before) * 1000000 / $(getconf CLK_TCK)))
}

# "LABEL refresh N ms ...": the median of the times (in microseconds) and their spread.
refresh_figures() { # label times...
    local label=$1
    shift
    printf '%s\n' "$@" | sort -n | awk -v label="$label" '{ v[NR] = $1 / 1000 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%-16s refresh %8.1f ms processor time, median of %d in turns (%.0f to %.0f ms)\n",
            label, m, NR, v[1], v[NR] }'
}

# In a subshell of its own: its test bed, its second prefix and its trap end with it. Exit status
# 1 when the goal is missed or the runs could not be measured.
run_refresh() (
    # shellcheck source=testbed/wine-loader.sh
    source tools/testbed/wine-loader.sh
    local build=win64
    [[ $tb_runs_32bit -eq 1 ]] && build=win32
    echo "== refresh: $build build, $refresh_windows report windows open" \
        "(${TB_WINE_SKIP_REASON:-measuring the primary build})"
    tools/build.sh "$build" >/dev/null

    eval "$(tools/testbed/start.sh --xvfb)"
    local second=$OSTREL_TESTBED_DIR/prefix-200 ppd=tests/fixtures/ppd/Ricoh-Aficio_MP_1100_PS.ppd
    local count have entries windows prefix
    # Each step on its own: under set -e a failing one would end the trap.
    trap 'stop_refreshers || true; [[ ! -d $second ]] || tools/testbed/wine-stop.sh "$second" || true
          tools/testbed/stop.sh >/dev/null 2>&1 || true' EXIT
    have=$(lpstat -p | grep -c '^printer ')
    for count in 50 200; do
        for ((; have < count; have++)); do
            lpadmin -p "$(printf 'Bench-%03d' "$have")" -v file:/dev/null -P "$ppd" -E >/dev/null 2>&1
        done
        if [[ $count -eq 50 ]]; then
            # The test bed's wineserver has seen the first queues only: it must be gone first.
            timeout 30 wineserver -w >/dev/null 2>&1 || true
            prefix=$WINEPREFIX
        else
            # A state folder of the test bed's kind (marked as start.sh marks its own), inside the
            # test bed's, so that stop.sh removes it.
            mkdir "$second"
            : >"$second/.ostrel-testbed"
            tools/testbed/wine-prefix.sh "$second" >/dev/null 2>"$second/prefix.log" ||
                { echo "the second Wine prefix could not be made: $(tail -3 "$second/prefix.log")"; exit 1; }
            prefix=$second/wine
        fi
        start_refresher "$count" "$prefix"
        read -r _ entries windows <<<"${refresher_ready[$count]}"
        echo "$count queues in CUPS: Ostrel.exe lists ${entries:-none}, with ${windows:-no} report windows open;" \
            "measured with each refresh: ${refresher_measured[$count]} (Ostrel.exe, wineserver, cupsd)"
        [[ ${entries:-0} -eq $count && ${windows:-0} -eq $refresh_windows &&
            $(wc -w <<<"${refresher_measured[$count]}") -eq 3 ]] ||
            { echo "refresh-bench: ${refresher_ready[$count]}"; exit 1; }
    done

    local i took times50=() times200=() name
    # A first refresh of each fills the caches.
    refresh_once 50 >/dev/null && refresh_once 200 >/dev/null || exit 1
    for ((i = 0; i < refresh_rounds; i++)); do
        for name in $( ((i % 2 == 0)) && echo 50 200 || echo 200 50); do
            took=$(refresh_once "$name") || exit 1
            if [[ $name == 50 ]]; then times50+=("$took"); else times200+=("$took"); fi
        done
    done
    local r50 r200
    r50=$(printf '%s\n' "${times50[@]}" | median)
    r200=$(printf '%s\n' "${times200[@]}" | median)
    refresh_figures "50 queues" "${times50[@]}"
    refresh_figures "200 queues" "${times200[@]}"
    verdict "refresh, $refresh_windows windows, 200 queues / 50 queues" \
        "$(awk -v a="$r200" -v b="$r50" 'BEGIN { print a / b }')" 4.40
    exit "$missed"
)

# Wall time of a command in microseconds: what a user waits for.
wall() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 </dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# The run script once its test bed runs: what it adds to the program's own start (the set-up and
# build checks, finding the test bed) against the same command run directly inside that test bed.
# A test bed the part made goes again at its end; one the user had keeps running.
run_script() (
    local bed=${OSTREL_RUN_DIR:-${TMPDIR:-/tmp}/ostrel-run-$UID} made=0 i r d ratios=() runs=() directs=()
    source tools/testbed/wine-loader.sh
    local build=${TB_WINE_BUILDS%% *}
    echo "== run: tools/run.sh --list with its test bed running, $build build (median of $list_rounds pairs)"
    [[ -s $bed/env.sh ]] || made=1
    tools/run.sh --list >/dev/null || { echo "tools/run.sh --list failed"; exit 1; }
    [[ $made -eq 0 ]] || trap 'tools/run.sh --stop >/dev/null 2>&1 || true' EXIT
    source "$bed/env.sh"
    local exe=$root/build/$build/console/ostrel-report.exe
    for ((i = 0; i < list_rounds; i++)); do
        if ((i % 2 == 0)); then
            r=$(wall tools/run.sh --list)
            d=$(wall "$TB_WINE" "$exe" --list)
        else
            d=$(wall "$TB_WINE" "$exe" --list)
            r=$(wall tools/run.sh --list)
        fi
        runs+=("$r")
        directs+=("$d")
        ratios+=("$(awk -v r="$r" -v d="$d" 'BEGIN { print r / d }')")
    done
    r=$(printf '%s\n' "${runs[@]}" | median)
    d=$(printf '%s\n' "${directs[@]}" | median)
    printf '%-16s run.sh --list %6.2f s, the same inside the test bed %6.2f s (medians)\n' "" \
        "$(awk -v x="$r" 'BEGIN { print x / 1e6 }')" "$(awk -v x="$d" 'BEGIN { print x / 1e6 }')"
    verdict "run.sh --list / inside the test bed" "$(printf '%s\n' "${ratios[@]}" | median)" 1.50
    verdict "run.sh --list, seconds" "$(awk -v x="$r" 'BEGIN { print x / 1e6 }')" 3.00
    exit "$missed"
)

for part in "${parts[@]}"; do
    case $part in
        native) run_native ;;
        wine) run_wine ;;
        snapshot) run_snapshot || missed=1 ;;
        refresh) run_refresh || missed=1 ;;
        run) run_script || missed=1 ;;
        *) echo "bench-ratios.sh: unknown part '$part' (native, wine, snapshot, refresh, run)" >&2; exit 2 ;;
    esac
done
exit $missed
