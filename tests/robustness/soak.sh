#!/usr/bin/env bash
# Real-time soak: the real program on a virtual X display under openbox, fed random clicks, double
# clicks, drags, Return and (rarely) Esc inside its windows for a while. Some of the clicks go to the
# places of the controls that move the learner on, so that the chain is walked as far as time allows.
# The program is started again whenever it ends normally (status 0: "关机", or its last window
# closed). The soak fails if the program ever ends with another status, dies of a signal, or prints
# a sanitizer report.
#
# usage: soak.sh [seconds] [program]
#   seconds  how long to run (default 60)
#   program  the binary (default: $RT_PROGRAM, else build/reinstall-trainer next to the sources)
# Needs Xvfb, openbox and xdotool. For a sanitizer build, leak reports at each normal end are on
# unless ASAN_OPTIONS says otherwise; lsan.supp (next to this script) is used unless LSAN_OPTIONS
# is set. RT_SOAK_VERBOSE=1 prints every event sent.
set -u

here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:-60}
program=${2:-${RT_PROGRAM:-$here/../../build/reinstall-trainer}}

for tool in Xvfb openbox xdotool; do
    if ! command -v "$tool" > /dev/null; then
        echo "soak: $tool is not installed" >&2
        exit 2
    fi
done
if [ ! -x "$program" ]; then
    echo "soak: no program at $program" >&2
    exit 2
fi
case $seconds in
    '' | *[!0-9]*) echo "soak: seconds must be a whole number, not '$seconds'" >&2; exit 2 ;;
esac

work=$(mktemp -d /tmp/rt-soak.XXXXXX)
xvfb_pid=
wm_pid=
pid=
failed=0

cleanup() {
    # Only what this script started, by process id.
    for p in $pid $wm_pid $xvfb_pid; do
        kill "$p" 2> /dev/null
    done
    for p in $pid $wm_pid $xvfb_pid; do
        wait "$p" 2> /dev/null
    done
    if [ "$failed" = 0 ]; then rm -rf "$work"; else echo "soak: logs kept in $work" >&2; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own: Xvfb picks a free number and tells it on fd 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "soak: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    failed=1
    exit 1
fi
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable > "$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

: "${ASAN_OPTIONS:=detect_leaks=1}"
: "${LSAN_OPTIONS:=suppressions=$here/lsan.supp:print_suppressions=0}"
export ASAN_OPTIONS LSAN_OPTIONS

runs=0
events=0
clicks=0
doubles=0
drags=0
returns=0
escapes=0
declare -A statuses=()
declare -A seen=()

start_program() {
    runs=$((runs + 1))
    RT_NO_WEB_ENGINE=1 QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=xcb \
        "$program" > "$work/run$runs.out" 2> "$work/run$runs.err" &
    pid=$!
}

sanitizer_report() {
    grep -E -q 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer)|runtime error:|SUMMARY: (Address|Undefined|Leak)' "$1"
}

fail() {
    failed=1
    echo "soak: FAILED: $*" >&2
    echo "soak: the end of run $runs's error output:" >&2
    tail -n 60 "$work/run$runs.err" >&2
}

# The program has ended: was it a normal end?
program_ended() {
    wait "$pid"
    local status=$?
    pid=
    statuses[$status]=$((${statuses[$status]:-0} + 1))
    if [ "$status" -ge 128 ]; then
        fail "run $runs died of signal $((status - 128))"
    elif [ "$status" != 0 ]; then
        fail "run $runs ended with status $status"
    elif sanitizer_report "$work/run$runs.err"; then
        fail "run $runs printed a sanitizer report"
    fi
}

# Client-area places (centre points) of the controls that move the chain on, by window caption and
# client size; a press there does what the learner would do next. Sets kind, x and y. The action
# buttons are pressed again only after their sequence has had time to end: each press during the
# sequence runs it again from the start, nested, and a steady stream of them would keep the chain
# from ever moving on.
last_write=-100
last_install=-100
useful_spot() {
    local name=$1 width=$2 r=$((RANDOM % 6))
    kind=click
    case "$name" in
        zodudev)
            # The notepad and the browser lie over the writer when open: close marks close them.
            if [ $r -le 2 ] && [ $((SECONDS - last_write)) -lt 17 ]; then r=$((3 + RANDOM % 3)); fi
            case $r in
                0) kind=double x=44 y=36 ;;                     # USB tool icon: open the writer panel
                1 | 2) x=540 y=408 last_write=$SECONDS ;;       # the writer's action button
                3) x=695 y=76 ;;                                # the notepad's close mark
                4) x=1044 y=27 ;;                               # the browser's close mark
                *) if [ $((RANDOM % 3)) = 0 ]; then x=28 y=632; else kind=double x=44 y=36; fi ;;  # start button
            esac ;;
        "Quenby PE 模拟器")
            if [ $r -ge 2 ] && [ $((SECONDS - last_install)) -lt 36 ]; then r=$((RANDOM % 2)); fi
            case $r in
                0 | 1) kind=double x=44 y=140 ;;                # installer icon: open the panel
                2) x=423 y=288 ;;                               # drive F
                *) x=524 y=340 last_install=$SECONDS ;;         # the installer's action button
            esac ;;
        "信息：") x=$((width / 2)) y=10 ;;                       # somewhere on the message box
        *)
            # The setup page and the greeting have no caption; their sizes tell them apart.
            if [ "$width" -lt 900 ]; then x=630 y=403; else x=892 y=8; fi ;;
    esac
}

send_event() {
    local windows id name width height x y
    windows=$(xdotool search --onlyvisible --pid "$pid" 2> /dev/null) || return
    [ -n "$windows" ] || return
    mapfile -t ids <<< "$windows"
    id=${ids[$((RANDOM % ${#ids[@]}))]}
    eval "$(xdotool getwindowgeometry --shell "$id" 2> /dev/null)" || return
    width=${WIDTH:-0} height=${HEIGHT:-0}
    [ "$width" -gt 1 ] && [ "$height" -gt 1 ] || return
    name=$(xdotool getwindowname "$id" 2> /dev/null)
    case "$name" in
        zodudev) seen[desktop]=1 ;;
        "Quenby PE 模拟器") seen[PE]=1 ;;
        "信息：") seen["message box"]=1 ;;
        *) if [ "$width" -lt 900 ]; then seen[setup]=1; else seen[greeting]=1; fi ;;
    esac
    x=$((RANDOM % width)) y=$((RANDOM % height))

    local roll=$((RANDOM % 1000)) kind
    if [ $roll -lt 2 ]; then
        kind=escape
    elif [ $roll -lt 100 ]; then
        kind=return
    elif [ $roll -lt 450 ]; then
        useful_spot "$name" "$width"
    elif [ $roll -lt 750 ]; then
        kind=click
    elif [ $roll -lt 900 ]; then
        kind=double
    else
        kind=drag
    fi

    [ -n "${RT_SOAK_VERBOSE:-}" ] && echo "soak: $((SECONDS - start)) s: $kind at $x,$y in '$name' (${width}x$height)" >&2
    case $kind in
        click)
            xdotool mousemove --window "$id" "$x" "$y" click 1 2> /dev/null
            clicks=$((clicks + 1)) ;;
        double)
            xdotool mousemove --window "$id" "$x" "$y" click --repeat 2 --delay 60 1 2> /dev/null
            doubles=$((doubles + 1)) ;;
        drag)
            xdotool mousemove --window "$id" "$x" "$y" mousedown 1 \
                mousemove --window "$id" $((RANDOM % width)) $((RANDOM % height)) mouseup 1 2> /dev/null
            drags=$((drags + 1)) ;;
        return)
            xdotool windowactivate "$id" 2> /dev/null
            xdotool key Return 2> /dev/null
            returns=$((returns + 1)) ;;
        escape)
            xdotool windowactivate "$id" 2> /dev/null
            xdotool key Escape 2> /dev/null
            escapes=$((escapes + 1)) ;;
    esac
    events=$((events + 1))
}

start=$SECONDS
start_program
while [ $((SECONDS - start)) -lt "$seconds" ] && [ "$failed" = 0 ]; do
    if ! kill -0 "$pid" 2> /dev/null; then
        program_ended
        [ "$failed" = 0 ] && start_program
        continue
    fi
    send_event
    sleep "0.$((RANDOM % 2))$((RANDOM % 10))"
done

# A last normal end, so that its leak check and its status are seen too.
if [ "$failed" = 0 ] && [ -n "$pid" ]; then
    if kill -0 "$pid" 2> /dev/null; then
        # Esc on every window, until the last one has closed and the program has ended.
        for _ in $(seq 40); do
            kill -0 "$pid" 2> /dev/null || break
            for id in $(xdotool search --onlyvisible --pid "$pid" 2> /dev/null); do
                xdotool windowactivate "$id" 2> /dev/null
                xdotool key Return Escape 2> /dev/null
            done
            sleep 0.25
        done
    fi
    if kill -0 "$pid" 2> /dev/null; then
        fail "run $runs did not end on Esc"
        kill "$pid" 2> /dev/null
    else
        program_ended
    fi
fi

summary=""
for status in "${!statuses[@]}"; do summary+=" status $status: ${statuses[$status]}x;"; done
echo "soak: $((SECONDS - start)) s, $events events ($clicks clicks, $doubles double clicks, $drags drags," \
    "$returns Return, $escapes Esc), $runs runs ($((runs - 1)) restarts); exits:${summary:- none}" \
    "windows seen: ${!seen[*]}"
if [ "$failed" = 0 ]; then
    echo "soak: clean"
    exit 0
fi
exit 1
