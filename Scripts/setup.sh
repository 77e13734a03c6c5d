#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Installs the Debian/Ubuntu packages the headless build needs, only those that are missing.
set -euo pipefail

# clang with libc++ mirrors the engine's Linux toolchain for the compile check in test.sh; clang's runtime
# libraries (libFuzzer and the sanitizers) are only recommended by it, and the fuzz targets need them.
packages=(cmake g++ make python3 libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libtinyobjloader-dev libpng-dev libjpeg62-turbo-dev libopenexr-dev libimath-dev libpcap-dev libcairo2-dev libcli11-dev pkg-config clang libc++-dev libc++abi-dev libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
	if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
		missing+=("$package")
	fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
	sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
