#!/usr/bin/env python3
"""Variants of three shapes, each solved again by qtb-solve in exact arithmetic, meet their shape.

Shapes: 2 x 3 max with "<=" rows; 3 x 4 min with ">=" rows (artificial variables); 3 x 5 with an "="
row. For every variant file: the optimum is reached in the asked number of iterations with no
degenerate pivot and no other optimum, the answer's denominators are at most 12, the rows are of the
asked kinds, and no two files of a shape hold the same data; a second run with the same seed writes
the same bytes.
    tests/variants_meet_shape.py QTB-SOLVE [COUNT]
"""
import filecmp
import json
import subprocess
import sys
import tempfile
from fractions import Fraction
from pathlib import Path

SOLVER = str(Path(sys.argv[1]).resolve())
COUNT = int(sys.argv[2]) if len(sys.argv) > 2 else 100

# (options, own variables, sense, kinds that must each appear, kinds allowed, iterations)
SHAPES = [
    (["--size", "2x3", "--sense", "max", "--rows", "le"], 3, "max", {"<="}, {"<="}, 2),
    (["--size", "3x4", "--sense", "min", "--rows", "ge"], 4, "min", {">="}, {">="}, 3),
    (["--size", "3x5", "--rows", "le,eq", "--iterations", "3"], 5, "max", {"<=", "="}, {"<=", "="}, 3),
]


def read_problem(path):
    """Aim, the names and the rows (b, coefficients) of a problem file as the generator writes it."""
    words = path.read_bytes().decode("cp1251").split("\r\n")
    aim = names = None
    rows = []
    lines = iter(words)
    for line in lines:
        if line.startswith("Aim: "):
            aim = line[5:]
        elif line.startswith("Size: "):
            m = int(line.split()[1])
        elif line.startswith("Var_names:"):
            names = line.split()[1:]
        elif line == "Matrix:":
            next(lines)  # the costs
            rows = [[Fraction(x) for x in next(lines).split()] for _ in range(m)]
    return aim, names, rows


def row_kinds(names, rows, own):
    """Each row's relation, from its slack (+1), surplus (-1) and artificial (y) columns."""
    kinds = []
    for row in rows:
        slack = [row[j + 1] for j in range(own, len(names)) if names[j].startswith("x") and row[j + 1] != 0]
        artificial = any(row[j + 1] != 0 for j in range(len(names)) if names[j].startswith("y"))
        if artificial:
            kinds.append(">=" if slack == [-1] else "=")
        else:
            kinds.append("<=" if slack == [1] else "?")
    return kinds


def check_shape(work, options, own, sense, must, allowed, iterations, seed):
    folder = work / f"set-{seed}"
    args = [SOLVER, "--variants", str(COUNT), "--seed", str(seed), "--out", str(folder), "--json", *options]
    made = json.loads(subprocess.run(args, check=True, capture_output=True).stdout)
    assert made["ok"] and made["variants"] == COUNT, made
    failures = []
    seen = set()
    for name in made["files"]:
        if not name.endswith(".qtb"):
            continue
        path = folder / name
        run = subprocess.run([SOLVER, "--arithmetic", "exact", "--tables", "none", "--json", str(path)],
                             capture_output=True, cwd=work)
        r = json.loads(run.stdout)
        aim, names, rows = read_problem(path)
        kinds = row_kinds(names, rows, own)
        data = tuple(sorted((k, tuple(row[:1] + row[1:own + 1])) for k, row in zip(kinds, rows)))
        problems = []
        if run.returncode != 0 or r.get("end") != "optimal":
            problems.append(f"end {r.get('end')}, exit {run.returncode}")
        if r.get("iterations") != iterations:
            problems.append(f"{r.get('iterations')} iterations")
        if r.get("degenerate_pivots") or r.get("degenerate") or r.get("alternative_optima"):
            problems.append("degenerate or not unique")
        if any(Fraction(v).denominator > 12 for v in r.get("solution", [])):
            problems.append(f"answer {r.get('solution')}")
        if aim != sense or not must <= set(kinds) or not set(kinds) <= allowed:
            problems.append(f"aim {aim}, rows {kinds}")
        if data in seen:
            problems.append("same data as an earlier variant")
        seen.add(data)
        if problems:
            failures.append(f"{name}: " + "; ".join(problems))
    again = work / f"again-{seed}"
    subprocess.run([*args[:6], str(again), *args[7:]], check=True, capture_output=True)
    match, mismatch, errors = filecmp.cmpfiles(folder, again, made["files"], shallow=False)
    if mismatch or errors:
        failures.append(f"seed {seed} wrote other bytes the second time: {mismatch + errors}")
    return failures


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        for seed, shape in enumerate(SHAPES, start=11):
            failures += check_shape(Path(work), *shape, seed)
    for failure in failures:
        print(failure)
    print(f"{len(SHAPES)} shapes x {COUNT} variants: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
