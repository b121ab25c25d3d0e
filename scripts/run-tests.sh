#!/usr/bin/env bash
# Installs what is needed, builds Kesvane and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD_DIR="${KESVANE_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j"$(nproc)"

# Widgets and the browser pane run without a display; Chromium's sandbox
# cannot start as root.
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
cd "$BUILD_DIR"
ctest --output-on-failure --timeout 600 -j2
