#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and the
# offline demo need. Safe to run again: apt-get skips what is already there.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

PACKAGES=(
    build-essential cmake pkg-config ninja-build git
    qt6-base-dev qt6-webengine-dev qt6-image-formats-plugins qt6-l10n-tools
    libqt6opengl6-dev libgl-dev
    libcurl4-openssl-dev libcpp-httplib-dev libicu-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick
    fonts-noto-cjk poppler-utils locales
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The collation tests need a Chinese locale next to the default one.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    if [ -f /etc/locale.gen ]; then
        $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
        $SUDO locale-gen >/dev/null
    fi
fi
