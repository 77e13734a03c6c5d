#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# The flood soaks, on the AddressSanitizer build (build/sanitize):
# 1. `orvane listen` under SECONDS (default 60) of 50,000 datagrams a second, one in ten valid, plus one 60 KB
#    document a second: it stays up, publishes every valid datagram, keeps its memory flat and leaks nothing.
# 2. 1,000 cycles of creating a source, flooding it for 0 to 20 ms and removing it through the client, in one
#    process (ending early when SECONDS is below 60): no crash, leak or deadlock, and every cycle's socket closed.
#   ./Scripts/soak.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/Scripts/setup.sh"
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build/sanitize" --parallel "$(nproc)" --target orvane OrvaneSourceSoak

# A small quarantine, so that resident memory shows what the process holds rather than freed blocks kept back.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:quarantine_size_mb=16"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
work="$root/build/sanitize/soak"
mkdir -p "$work"

echo "== flood into orvane listen: ${seconds} s"
python3 "$root/Tests/Soak/flood_soak.py" --orvane "$root/build/sanitize/bin/orvane" --seconds "$seconds" --work "$work"

echo "== source create, flood and remove cycles"
# All 1,000 cycles take about a minute; a shorter soak (CI's ten seconds) stops the cycles after SECONDS too.
cycle_limit=()
if [ "$seconds" -lt 60 ]; then
	cycle_limit=(--seconds "$seconds")
fi
"$root/build/sanitize/bin/OrvaneSourceSoak" --cycles 1000 "${cycle_limit[@]}"
