#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine, when it
# is missing. Needs root for apt-get; otherwise it only names what is missing.
set -eu

packages=(
    cmake make g++ python3
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 xvfb x11-utils xdotool imagemagick
    googletest libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fp-utils undbx locales
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (install them as root): ${missing[*]}" >&2
    exit 1
fi

echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
