#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Builds the optimised host and the orvane tool, then decodes the bundled sample camera datagram.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/Scripts/setup.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target orvane
"$root/build/release/bin/orvane" decode "$root/Tests/Data/camera_datagram.json"
