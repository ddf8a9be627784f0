#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing. With "checked", also what
# the sanitizer and fuzzing builds need; with "coverage", what the coverage report needs.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ pkgconf
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6sql6-sqlite qt6-image-formats-plugins
    libgl-dev libgif-dev libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-dejavu-core librsvg2-bin
)
case "${1:-}" in
    checked) packages+=(clang libclang-rt-dev llvm) ;;
    coverage) packages+=(gcovr) ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "Please install as root: apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${sudo[@]}" apt-get update
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
