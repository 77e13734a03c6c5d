#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Builds the optimised host and the orvane tool, then streams the built-in camera move into the plug-in's Live Link
# source over the loopback with `orvane demo`.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/Scripts/setup.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target orvane
"$root/build/release/bin/orvane" demo
