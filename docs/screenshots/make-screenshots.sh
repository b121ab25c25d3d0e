#!/usr/bin/env bash
# Takes the README's screenshots of the main window: the ordinary look and
# the two built-in skins, with a few saved numbers and a query result shown.
# Runs the real program under Xvfb against the stand-in sites.
#
#   docs/screenshots/make-screenshots.sh [BUILD_DIR]
#
# Needs xvfb-run, xdotool and ImageMagick (scripts/install-deps.sh installs
# them) and the targets kesvane, Skivra and kesvane-standin built.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)

if [ "${KESVANE_SCREENSHOT_INNER:-}" != "1" ]; then
    work=$(mktemp -d)
    trap 'kill "$standin_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
    # A folder of its own, so that the record file starts empty.
    cp "$build/bin/kesvane" "$build/bin/libSkivra.so" "$work/"
    port=18431
    "$build/bin/kesvane-standin" --port "$port" >"$work/standin.log" 2>&1 &
    standin_pid=$!
    sleep 0.5
    eval "$("$build/bin/kesvane-standin" --port "$port" --print-env)"
    KESVANE_SCREENSHOT_INNER=1 KESVANE_WORK="$work" QTWEBENGINE_DISABLE_SANDBOX=1 \
        xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
    exit 0
fi

work=$KESVANE_WORK
"$work/kesvane" >"$work/kesvane.log" 2>&1 &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --name "^Kesvane v" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 2

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

# Queries one number with the courier at list index $2; the program saves
# the number by itself. Without a window manager the keys go to the window
# under the pointer; a click puts the focus in the number box.
previous=""
query() {
    xdotool mousemove --window "$window" 76 58 click 1
    sleep 0.3
    keys ctrl+a BackSpace
    xdotool type --delay 40 "$1"
    keys Tab Tab Tab Home
    if [ -n "$previous" ]; then
        for _ in $(seq 1 "$previous"); do keys Down; done
        keys space Home
    fi
    for _ in $(seq 1 "$2"); do keys Down; done
    keys space Return
    previous=$2
    sleep 2.5
}

query ZTO2012031501 0
query YTO2012031501 5
query 1234567890 1

shoot() {
    sleep 1.5
    import -window "$window" "$here/$1"
}

# Skins are chosen from the menu: 文件(&F), 皮肤(&S), then the item.
skin() {
    keys alt+f s
    for _ in $(seq 1 "$1"); do keys Down; done
    keys Return
}

shoot main-window.png
skin 2
shoot skin-blocks.png
skin 1
shoot skin-red-china.png
skin 0
