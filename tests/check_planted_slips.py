#!/usr/bin/env python3
"""qtb-solve --check on a report's own tables, and on them with one cell changed.

Every table of a report fed back is right; an error planted in any one cell of any table (a name of
the basis, a number of a row, an estimate) is found once, in that table and cell, with the right value;
a table left out makes the solution unfinished.

Usage: check_planted_slips.py QTB-SOLVE SOURCE-DIR
"""

import json
import shutil
import subprocess
import sys
import tempfile
from fractions import Fraction
from pathlib import Path

TOOL, SOURCE = sys.argv[1], Path(sys.argv[2])
PROBLEM = SOURCE / "examples/check/variant-01.qtb"
failures = []


def solve(*args):
    return subprocess.run([TOOL, *args], capture_output=True, text=True)


def check(student, problem):
    done = solve("--check", str(student), "--json", str(problem))
    try:
        return done.returncode, json.loads(done.stdout)
    except json.JSONDecodeError:
        return done.returncode, {"stdout": done.stdout, "stderr": done.stderr}


def expect(condition, what):
    if not condition:
        failures.append(what)


def grid_cells(lines):
    """Every checked cell of the grid: (line, start, end, table, row label, column label, text)."""
    table, names, cells = -1, [], []
    for number, line in enumerate(lines):
        if "исходная таблица" in line or "Итерация:" in line:
            table += 1
            continue
        if not line.startswith("|"):
            continue
        bars = [k for k, c in enumerate(line) if c == "|"]
        texts = [line[a + 1:b].strip() for a, b in zip(bars, bars[1:])]
        spans = list(zip(bars, bars[1:]))
        if "Имя" in texts:
            names = texts[2:]
            continue
        label = texts[0].replace(" ", "")
        if label in ("строка", "оценок"):
            row = "строка" if label == "строка" else "о ц е н о к"
            for (a, b), column, text in zip(spans[1:], names, texts[1:]):
                cells.append((number, a + 1, b, table, row, column, text))
        else:
            row = texts[1]
            a, b = spans[1]
            cells.append((number, a + 1, b, table, row, "Имя", row))
            for (a, b), column, text in zip(spans[2:], names, texts[2:]):
                cells.append((number, a + 1, b, table, row, column, text))
    return cells


def planted(text, column, variables):
    """Another value for the cell: a number one larger, or a variable that is not the row's."""
    if column == "Имя":
        return next(v for v in variables if v != text)
    return str(Fraction(text or "0") + 1)


with tempfile.TemporaryDirectory() as folder:
    folder = Path(folder)
    problem = folder / PROBLEM.name
    shutil.copy(PROBLEM, problem)
    reports = {
        "exact, UTF-8": ("--arithmetic", "exact", "--encoding", "utf-8"),
        "double, Windows-1251": (),
        "double, two digits": ("--accuracy", "8:2"),
    }
    for name, options in reports.items():
        report = folder / "report.txt"
        done = solve(*options, "--report", str(report), str(problem))
        expect(done.returncode == 0, f"{name}: the run failed: {done.stderr}")
        status, result = check(report, problem)
        expect(status == 0 and result.get("correct") is True and result.get("tables_checked") == 4,
               f"{name}: a report's own tables are not right: {status} {result}")

    solve("--arithmetic", "exact", "--encoding", "utf-8", "--report", str(folder / "exact.txt"), str(problem))
    lines = (folder / "exact.txt").read_text(encoding="utf-8").split("\n")
    variables = ["x1", "x2", "s1", "s2", "r1", "r2"]
    cells = grid_cells(lines)
    expect(len(cells) == 4 * (2 * 8 + 2 * 7), f"cells of the grid: {len(cells)}")
    student = folder / "student.txt"
    for line, start, end, table, row, column, text in cells:
        slip = planted(text, column, variables)
        changed = list(lines)
        changed[line] = lines[line][:start] + slip.center(end - start) + lines[line][end:]
        student.write_text("\n".join(changed), encoding="utf-8")
        status, result = check(student, problem)
        where = f"table {table}, row {row}, column {column}: {text!r} -> {slip!r}"
        errors = result.get("errors", [])
        expect(status == 5 and len(errors) == 1, f"{where}: status {status}, errors {errors}")
        if len(errors) == 1:
            e = errors[0]
            expect((e["table"], e["row"], e["column"]) == (table, row, column), f"{where}: found at {e}")
            expect(e["expected"] == (text or "0") and e["found"] == slip, f"{where}: values {e}")

    last = max(k for k, l in enumerate(lines) if "Итерация:" in l)
    student.write_text("\n".join(lines[:last - 1]), encoding="utf-8")
    status, result = check(student, problem)
    expect(status == 6 and result.get("tables_checked") == 3 and not result.get("correct"),
           f"the last table left out: {status} {result}")

for failure in failures:
    print("FAIL:", failure)
print(f"{len(failures)} failures")
sys.exit(1 if failures else 0)
