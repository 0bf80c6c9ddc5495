#!/usr/bin/env python3
"""clang-tidy over C++ units with the compile commands of a build folder, several at a time.

    scripts/tidy-units.py BUILD-FOLDER [--jobs N] [--cache FOLDER] UNIT...

A unit is checked again unless an earlier clean check saw exactly the same inputs: the same clang-tidy,
the same .clang-tidy, the same compile command, and the same bytes in the unit and in every file its
preprocessor opens (listed by clang -M, the front end clang-tidy runs, system headers included). Such a
check leaves an empty file named by the hash of those inputs in the cache folder (default: qtb-tidy in
the ccache folder, $CCACHE_DIR or ~/.cache/ccache). A unit with findings leaves nothing and is checked
again next time. Exit status 1 when any unit has findings.
"""

import argparse
import hashlib
import json
import os
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

# The compile commands are GCC's: clang does not know every warning option they name.
EXTRA_ARGS = ["-Wno-unknown-warning-option"]


def default_cache():
    ccache = os.environ.get("CCACHE_DIR") or os.path.join(os.path.expanduser("~"), ".cache", "ccache")
    return os.path.join(ccache, "qtb-tidy")


class FileHashes:
    """The SHA-256 of each file's bytes, read once however many units include it."""

    def __init__(self):
        self.known = {}

    def of(self, path):
        if path not in self.known:
            with open(path, "rb") as file:
                self.known[path] = hashlib.sha256(file.read()).hexdigest()
        return self.known[path]


def compile_arguments(entry):
    """The compiler's options of a compile command, without the compiler, -c and the files it writes."""
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept = []
    skip = False
    for word in words[1:]:
        if skip:
            skip = False
        elif word in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif word not in ("-c", "-MD", "-MMD"):
            kept.append(word)
    return kept


def included_files(entry, arguments):
    """Every file the preprocessor opens for the unit, or None when clang cannot list them."""
    run = subprocess.run(["clang++", *arguments, *EXTRA_ARGS, "-M", "-MF", "-"], cwd=entry["directory"],
                         capture_output=True, text=True)
    if run.returncode != 0:
        return None
    text = run.stdout.replace("\\\n", " ")
    words = text.split(":", 1)[1].split() if ":" in text else []
    return sorted({os.path.realpath(os.path.join(entry["directory"], word)) for word in words})


def inputs_key(unit, entry, fixed, hashes, root):
    """The hash of everything the check of one unit reads, or None when the includes are unknown."""
    arguments = compile_arguments(entry)
    files = included_files(entry, arguments)
    if files is None:
        return None
    digest = hashlib.sha256(fixed)
    # Paths inside the project are hashed relative to it, so that one clone's checks hold for another.
    local = lambda text: text.replace(root, "<project>")
    digest.update(local(unit).encode())
    for word in arguments:
        digest.update(b"\0" + local(word).encode())
    for path in files:
        digest.update(b"\0" + local(path).encode() + b"=" + hashes.of(path).encode())
    return digest.hexdigest()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build")
    parser.add_argument("units", nargs="+")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--cache", default=default_cache())
    options = parser.parse_args()

    root = os.path.realpath(".")
    with open(os.path.join(options.build, "compile_commands.json"), encoding="utf-8") as file:
        commands = {os.path.realpath(os.path.join(e["directory"], e["file"])): e for e in json.load(file)}
    version = subprocess.run(["clang-tidy", "--version"], capture_output=True, text=True, check=True).stdout
    fixed = version.encode() + b"\0" + " ".join(EXTRA_ARGS).encode()
    for config in sorted(subprocess.run(["git", "ls-files", "*.clang-tidy", ".clang-tidy"], capture_output=True,
                                        text=True, check=True).stdout.split()):
        with open(config, "rb") as file:
            fixed += b"\0" + config.encode() + b"=" + file.read()
    hashes = FileHashes()

    def check(unit):
        """(unit, findings or None when clean, whether a clean check of the same inputs was found)"""
        entry = commands.get(os.path.realpath(unit))
        if entry is None:
            return unit, f"{unit}: not in the compile commands of {options.build}\n", False
        key = inputs_key(os.path.realpath(unit), entry, fixed, hashes, root)
        marker = os.path.join(options.cache, key[:2], key) if key else None
        if marker and os.path.exists(marker):
            return unit, None, True
        run = subprocess.run(["clang-tidy", "-p", options.build, "--quiet", *[f"--extra-arg={a}" for a in EXTRA_ARGS],
                              unit], capture_output=True, text=True)
        if run.returncode != 0:
            return unit, run.stdout + run.stderr, False
        if marker:
            os.makedirs(os.path.dirname(marker), exist_ok=True)
            open(marker, "wb").close()
        return unit, None, False

    failed = 0
    unchanged = 0
    with ThreadPoolExecutor(max_workers=options.jobs) as pool:
        for unit, findings, cached in pool.map(check, options.units):
            if findings is not None:
                failed += 1
                sys.stdout.write(findings)
            unchanged += cached
    checked = len(options.units) - unchanged
    if failed:
        print(f"clang-tidy: {failed} of {len(options.units)} files with findings")
        return 1
    print(f"clang-tidy: {len(options.units)} files clean ({checked} checked, {unchanged} unchanged since a clean check)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
