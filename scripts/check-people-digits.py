#!/usr/bin/env python3
"""No console line of qtb-solve shows a number with more than 10 significant digits.

Runs qtb-solve --tables none --sensitivity on the examples (examples/*.qtb, examples/models/*) and on
GLPK's example models when glpk-utils or glpk-doc put them on the system; prints the offending lines.

    scripts/check-people-digits.py build/qtb-solve
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

LIMIT = 10
# A number standing on its own: not the digits of a name such as x12 or a code such as R2.
NUMBER = re.compile(r"(?<![\w.])-?(\d+(?:\.\d+)?)(?:e[+-]?\d+)?(?![\w.])")
GLPK_FOLDERS = ["/usr/share/doc/glpk-utils/examples", "/usr/share/doc/glpk-doc/examples"]
MODEL_ENDINGS = (".mod", ".lp", ".mps")


def significant_digits(mantissa):
    digits = mantissa.replace(".", "").lstrip("0")
    if "." in mantissa:
        return len(digits)
    return len(digits.rstrip("0")) or 1  # an integer's trailing zeros may be its magnitude


def long_numbers(line):
    return [m.group(0) for m in NUMBER.finditer(line) if significant_digits(m.group(1)) > LIMIT]


def inputs(root):
    files = sorted(glob.glob(os.path.join(root, "examples", "*.qtb")))
    files += sorted(glob.glob(os.path.join(root, "examples", "models", "*")))
    for folder in GLPK_FOLDERS:
        files += sorted(f for f in glob.glob(os.path.join(folder, "*")) if f.endswith(MODEL_ENDINGS))
    return files


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    solver = os.path.abspath(sys.argv[1])
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    bad = 0
    checked = 0
    with tempfile.TemporaryDirectory() as folder:
        for path in inputs(root):
            try:
                run = subprocess.run([solver, "--tables", "none", "--sensitivity", path], cwd=folder,
                                     capture_output=True, timeout=60, check=False)
            except subprocess.TimeoutExpired:
                print(f"{path}: no answer within 60 s (skipped)")
                continue
            checked += 1
            for line in run.stdout.decode("utf-8", "replace").splitlines():
                if long_numbers(line):
                    bad += 1
                    print(f"{path}: {line}")
    print(f"{checked} inputs checked, {bad} lines with more than {LIMIT} significant digits")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
