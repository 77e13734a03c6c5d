#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Builds the optimised benchmarks and runs them; each compares against a baseline measured in the same run.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/Scripts/setup.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --parallel "$(nproc)" --target OrvaneBenchmarks
"$root/build/release/bin/OrvaneBenchmarks" "$@"
