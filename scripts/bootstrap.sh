#!/usr/bin/env bash
# Installs the Debian packages Zandrel needs to build, test and run (and, with the argument "fuzz", to fuzz),
# when they are missing.
# Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev
    libepoxy-dev libglu1-mesa-dev libgl1-mesa-dri libegl1 libegl-dev
    libfmt-dev libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev
)

# `bootstrap.sh fuzz` adds what `make fuzz` needs and the tests do not: clang and its libFuzzer runtime.
if [ "${1:-}" = fuzz ]; then
    packages+=(clang libclang-rt-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
