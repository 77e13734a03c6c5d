#!/usr/bin/env bash
# Copyright Kelmora. All Rights Reserved.
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer, checks that the plug-in compiles with clang
# and libc++, runs every test, runs the tests that use threads again under ThreadSanitizer, then runs every fuzz
# target for a minute and the flood soaks for ten seconds each.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/Scripts/setup.sh"
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build/sanitize" --parallel "$(nproc)"
# The plug-in as the engine's Linux toolchain compiles it: clang with libc++, shadowing warnings as errors, each file
# alone and each module as one unity file. It reads the flags and reflection headers of the tree just built.
ORVANE_CHECK_JOBS="$(nproc)" python3 "$root/Scripts/check-libcxx.py" "$root/build/sanitize"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$root/build/sanitize" --output-on-failure --parallel "$(nproc)" --timeout 600

# ThreadSanitizer cannot share a build with AddressSanitizer: the tests get a tree of their own. The filter picks
# the suites that start threads (receivers, pushes from other threads, concurrent registration, socket close).
# The stack-size test is left out: ThreadSanitizer enlarges small thread stacks to fit its own thread state.
cmake -S "$root" -B "$root/build/tsan" -DCMAKE_BUILD_TYPE=Debug -DORVANE_TSAN=ON -DORVANE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build/tsan" --parallel "$(nproc)" --target OrvaneTests
threaded='LiveLink*:LinkHealth*:SourceFactory*:OrvaneLiveLinkModule*:FrameExchange*:*Thread*:PlatformProcess*:UdpSocket*:Delegate*:MulticastRemoval*:ModularFeature*'
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$root/build/tsan/bin/OrvaneTests" \
	--gtest_filter="$threaded:-RunnableThread.HonoursTheStackSizeAndRecordsThePriority" --gtest_brief=1

# Every fuzz target for 60 seconds from its committed corpus, every input of which runs first as a regression case.
"$root/Scripts/fuzz.sh" all 60
# The flood soaks, 10 seconds each.
"$root/Scripts/soak.sh" 10
