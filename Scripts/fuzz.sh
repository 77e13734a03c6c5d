#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build/fuzz and runs TARGET
# (default: every target, one after another) for SECONDS each (default 60), starting from its committed corpus
# in Tests/Fuzz/Corpus/TARGET, every input of which runs first as a regression case.
#   ./Scripts/fuzz.sh [TARGET|all] [SECONDS]
# Environment:
#   ORVANE_FUZZ_CORPUS  folder whose TARGET/ subfolder keeps the corpus the run grows (default build/fuzz/corpus);
#                       the committed corpus is only read
#   ORVANE_FUZZ_RUNS    stop after this many executions instead (SECONDS still bounds the run)
#   ORVANE_FUZZ_BUILD   0 to run what is built without building
# Findings land in build/fuzz/findings/TARGET-*; the run fails on the first one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
targets=(FuzzCameraDatagram FuzzStageFile FuzzObjText FuzzXmlFile FuzzRgbe)
target="${1:-all}"
seconds="${2:-60}"
if [ "$target" = "all" ]; then
	selected=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $target "* ]]; then
	selected=("$target")
else
	echo "usage: $0 [$(IFS='|'; echo "${targets[*]}")|all] [SECONDS]" >&2
	exit 2
fi

build="$root/build/fuzz"
if [ "${ORVANE_FUZZ_BUILD:-1}" != "0" ]; then
	"$root/Scripts/setup.sh"
	# The host is built unoptimised, which keeps this tree quick to build; the code under fuzz gets -O1 (CMakeLists.txt).
	CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O0 -gline-tables-only" \
		-DORVANE_FUZZ=ON -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
	cmake --build "$build" --parallel "$(nproc)" --target "${selected[@]}"
fi

# Longest input per target: stage files and OBJ text need room for the OBJ repair's 16 KiB blocks.
max_len_of() {
	case "$1" in
	FuzzCameraDatagram) echo 65536 ;;
	FuzzStageFile | FuzzObjText) echo 70000 ;;
	FuzzXmlFile) echo 16384 ;;
	FuzzRgbe) echo 4096 ;;
	esac
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/findings"
for name in "${selected[@]}"; do
	corpus="${ORVANE_FUZZ_CORPUS:-$build/corpus}/$name"
	mkdir -p "$corpus"
	options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$(max_len_of "$name")" -print_final_stats=1
		-artifact_prefix="$build/findings/$name-")
	if [ -n "${ORVANE_FUZZ_RUNS:-}" ]; then
		options+=(-runs="$ORVANE_FUZZ_RUNS")
	fi
	if [ -f "$root/Tests/Fuzz/Dictionaries/$name.dict" ]; then
		options+=(-dict="$root/Tests/Fuzz/Dictionaries/$name.dict")
	fi
	echo "== $name: ${seconds} s"
	"$build/bin/$name" "${options[@]}" "$corpus" "$root/Tests/Fuzz/Corpus/$name"
done
