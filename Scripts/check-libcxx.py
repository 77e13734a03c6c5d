#!/usr/bin/env python3
# Copyright Kelmora. All Rights Reserved.
"""Compiles the plug-in's sources the way the engine's Linux toolchain does: clang with libc++, shadowing
warnings on and every warning an error. Each translation unit is compiled alone, then each module once as a
single unity translation unit (all its .cpp files included into one), as the engine builds modules.

Compile only: the flags, include paths and reflection headers come from a configured and built tree
(compile_commands.json). The host's headers are included as system headers, so the warnings are the
plug-in's own; a host header that does not compile under libc++ still fails the check.

Usage: check-libcxx.py BUILD_DIR"""
import concurrent.futures
import json
import os
import shlex
import subprocess
import sys
import tempfile

CLANG = os.environ.get("ORVANE_CLANG", "clang++")
EXTRA_FLAGS = ["-stdlib=libc++", "-fsyntax-only", "-Wshadow-all", "-Werror"]
# Flags of the host build that have no place in a syntax check or that clang does not take.
DROPPED_PREFIXES = ("-fsanitize", "-fno-sanitize", "-o", "-c", "-g", "-O", "-fPIC")


def module_of(source, root):
    """The module a Source/ file belongs to (Source/<Module>/...), or None for files outside Source/."""
    relative = os.path.relpath(source, os.path.join(root, "Source"))
    if relative.startswith(".."):
        return None
    return relative.split(os.sep)[0]


def clang_arguments(command, root, build):
    """The host build's compile command turned into clang's: same defines and include paths, host headers
    as system headers."""
    arguments = shlex.split(command)[1:]
    result = []
    index = 0
    while index < len(arguments):
        argument = arguments[index]
        if argument in ("-o", "-c"):
            index += 2
            continue
        if argument.startswith("-I"):
            path = argument[2:]
            own = path.startswith(os.path.join(root, "Source") + os.sep)
            result.append(("-I" if own else "-isystem") + path)
        elif not argument.startswith(DROPPED_PREFIXES):
            result.append(argument)
        index += 1
    return result + EXTRA_FLAGS


def compile_one(label, arguments, source, cwd):
    process = subprocess.run([CLANG] + arguments + [source], cwd=cwd, capture_output=True, text=True)
    return label, process.returncode, process.stdout + process.stderr


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.path.abspath(sys.argv[1])
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)

    units = []
    modules = {}
    for entry in entries:
        source = os.path.abspath(os.path.join(entry["directory"], entry["file"]))
        module = module_of(source, root)
        if module is None or not source.endswith(".cpp"):
            continue
        arguments = clang_arguments(entry["command"], root, build)
        units.append((os.path.relpath(source, root), arguments, source, entry["directory"]))
        modules.setdefault(module, {"arguments": arguments, "directory": entry["directory"], "sources": []})["sources"].append(source)
    if not units:
        print("check-libcxx: no Source/ translation units in " + build, file=sys.stderr)
        return 1

    with tempfile.TemporaryDirectory(prefix="orvane-unity-") as unity_dir:
        for module, info in sorted(modules.items()):
            unity = os.path.join(unity_dir, "Module." + module + ".cpp")
            with open(unity, "w", encoding="utf-8") as file:
                for source in sorted(info["sources"]):
                    file.write('#include "' + source + '"\n')
            units.append((module + " (unity)", info["arguments"], unity, info["directory"]))

        failures = 0
        jobs = int(os.environ.get("ORVANE_CHECK_JOBS", "2"))
        with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
            for label, code, output in pool.map(lambda unit: compile_one(*unit), units):
                if code != 0:
                    failures += 1
                    print("FAILED " + label + "\n" + output, file=sys.stderr)
    print("check-libcxx: %d of %d translation units compile with clang and libc++" % (len(units) - failures, len(units)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
