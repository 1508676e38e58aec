#!/usr/bin/env bash
# Walks the whole chain on the real program under Xvfb, with real clicks: write the PE image,
# restart, refuse drive F, install, restart, setup, greeting, back to the desktop, shut down.
# Takes about eighty seconds, since every wait is real. With SCREENSHOTS=<dir> it also saves a
# picture of each screen on the way (docs/make_screenshots.sh uses that).
set -euo pipefail
binary=${1:-build/reinstall-trainer}
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))

cleanup() {
    kill "${app:-}" "${wm:-}" "${xvfb:-}" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

RT_NO_WEB_ENGINE=1 QTWEBENGINE_DISABLE_SANDBOX=1 "$binary" 2>"$work/stderr" &
app=$!

shot() {
    [ -n "${SCREENSHOTS:-}" ] || return 0
    mkdir -p "$SCREENSHOTS"
    import -window root -crop "$2" +repage "$SCREENSHOTS/$1.png"
}
# The frame of a window as a crop geometry for import (openbox draws the title bar above it).
frame_of() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$((WIDTH + 2))x$((HEIGHT + 22))+$((X - 1))+$((Y - 41))"
}

fail() { echo "walk_chain: $*" >&2; cat "$work/stderr" >&2; exit 1; }
step() { echo "walk_chain: $*"; }

# The visible window of the program whose client area is WIDTHxHEIGHT.
window_of_size() {
    local want=$1
    for _ in $(seq 200); do
        for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
            size=$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/ {print $2}')
            [ "$size" = "$want" ] && { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    return 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
double_click() { xdotool mousemove --window "$1" "$2" "$3" click --repeat 2 --delay 60 1; sleep 0.3; }
# Waits up to $2 seconds for a message box, then presses its OK button with Return.
close_message_box() {
    local box
    box=$(window_of_size_timeout "$2") || fail "no message box after $1"
    xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
    xdotool key Return
    sleep 0.5
}
window_of_size_timeout() {
    local deadline=$((SECONDS + $1))
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name '^信息：$' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

desktop=$(window_of_size 1072x648) || fail "the desktop did not open"
sleep 1
import -window root "$work/before.png"
step "desktop on view; writing the PE image"
shot 1-desktop "$(frame_of "$desktop")"
double_click "$desktop" 44 120
shot 2-notepad "$(frame_of "$desktop")"
click "$desktop" 695 76
click "$desktop" 28 632
shot 3-start-menu "$(frame_of "$desktop")"
click "$desktop" 80 584
click "$desktop" 540 408
sleep 6
shot 4-usb-writer "$(frame_of "$desktop")"
close_message_box "the write" 25
click "$desktop" 540 408
pe=$(window_of_size 1004x613) || fail "the PE screen did not open"
step "PE screen on view; drive F, then the install"
double_click "$pe" 44 140
click "$pe" 390 288
click "$pe" 524 340
close_message_box "the drive F refusal" 5
click "$pe" 524 340
sleep 12
shot 5-pe-installing "$(frame_of "$pe")"
close_message_box "the install" 45
click "$pe" 524 340
setup=$(window_of_size 874x558) || fail "the setup page did not open"
step "setup page on view"
sleep 0.5
shot 6-setup "$(frame_of "$setup")"
click "$setup" 630 403
welcome=$(window_of_size 952x584) || fail "the greeting did not open"
step "greeting on view; starting it"
shot 7-greeting "$(frame_of "$welcome")"
click "$welcome" 892 8
sleep 10
shot 8-greeting-running "$(frame_of "$welcome")"
sleep 8
desktop=$(window_of_size 1072x648) || fail "the new desktop did not open"
sleep 1
import -window root "$work/after.png"
shot 9-new-desktop "$(frame_of "$desktop")"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 100000 ] || fail "the wallpaper did not change ($changed pixels differ)"
step "new desktop with the new wallpaper ($changed pixels differ); shutting down"
click "$desktop" 28 632
click "$desktop" 28 608
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
grep -qE "AddressSanitizer|runtime error:" "$work/stderr" && fail "a sanitizer reported a fault"
step "done: the program ended with status 0"
