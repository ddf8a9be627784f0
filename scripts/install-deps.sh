#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. With "checked", also what
# the sanitizer and fuzzing builds need; with "coverage", what the coverage report needs; with
# "german", the German locale the second test run uses.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ pkgconf
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite qt6-image-formats-plugins
    libgl-dev libgif-dev libpugixml-dev libeigen3-dev libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
    fonts-liberation2 fonts-dejavu-core librsvg2-bin poppler-utils xvfb xauth
    qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev doxygen python3
)
case "${1:-}" in
    checked) packages+=(clang libclang-rt-dev llvm) ;;
    coverage) packages+=(gcovr) ;;
    german) packages+=(locales) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "Please run as root: $*" >&2
        exit 1
    fi
}

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! as_root apt-get install -y --no-install-recommends "${missing[@]}"; then
        as_root apt-get update
        as_root apt-get install -y --no-install-recommends "${missing[@]}"
    fi
fi

if [ "${1:-}" = german ] && ! locale -a | grep -qi '^de_DE\.utf-\?8$'; then
    as_root localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
