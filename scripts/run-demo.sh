#!/usr/bin/env bash
# Installs what is needed, builds Kesvane and starts it against the bundled
# stand-in sites on 127.0.0.1, so that it works without the internet.
# Started directly (build/bin/kesvane), the program uses the real sites.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD_DIR="${KESVANE_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESVANE_BUILD_TESTS=OFF -DKESVANE_BUILD_BENCH=OFF
cmake --build "$BUILD_DIR" -j"$(nproc)" --target kesvane kesvane-standin Skivra

PORT="${KESVANE_DEMO_PORT:-18080}"
"$BUILD_DIR/bin/kesvane-standin" --port "$PORT" &
STANDIN_PID=$!
trap 'kill "$STANDIN_PID" 2>/dev/null || true' EXIT
eval "$("$BUILD_DIR/bin/kesvane-standin" --port "$PORT" --print-env)"

if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Kesvane on a virtual screen (xvfb-run)." >&2
    xvfb-run -a -s "-screen 0 1024x768x24" "$BUILD_DIR/bin/kesvane"
else
    "$BUILD_DIR/bin/kesvane"
fi
