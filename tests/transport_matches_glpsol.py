#!/usr/bin/env python3
"""Random transport problems up to 30 x 30 (balanced and not, degenerate among them, some routes
forbidden, some of profits) reach, from each start, the optimum glpsol gives for the same problem as an LP; and
GLPK's own transport model reaches its optimum with --method potentials.

    tests/transport_matches_glpsol.py QTB-SOLVE [COUNT]      (exit 77: skipped, no glpsol)
"""
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

STARTS = ("northwest", "least-cost", "vogel")
GLPK_TRANSP = "/usr/share/doc/glpk-utils/examples/transp.mod"


def problem(rng, k):
    m, n = rng.randint(1, 30), rng.randint(1, 30)
    if k % 4 == 0:  # degenerate: partial sums of supplies meet those of demands
        unit = rng.randint(1, 5)
        supplies = [unit * rng.randint(1, 4) for _ in range(m)]
        demands = list(supplies) if m == n else None
        if demands is None:
            total, demands = sum(supplies), []
            for _ in range(n - 1):
                d = unit * rng.randint(0, 3)
                demands.append(min(d, total))
                total -= demands[-1]
            demands.append(total)
    else:
        supplies = [rng.randint(0, 60) for _ in range(m)]
        demands = [rng.randint(0, 60) for _ in range(n)]
        if k % 3 == 0:
            shift = sum(supplies) - sum(demands)
            demands[-1] = max(0, demands[-1] + shift)
    costs = [[rng.randint(1, 20) for _ in range(n)] for _ in range(m)]
    forbidden = [[k % 5 == 1 and rng.random() < 0.1 for _ in range(n)] for _ in range(m)]
    return supplies, demands, costs, forbidden


def qtt(supplies, demands, costs, forbidden, aim):
    rows = "\n".join(" ".join("x" if f else str(c) for c, f in zip(cr, fr)) for cr, fr in zip(costs, forbidden))
    return (f"Name: random\nAim: {aim}\nSize: {len(supplies)} {len(demands)}\n"
            f"Supplies: {' '.join(map(str, supplies))}\nDemands: {' '.join(map(str, demands))}\n"
            f"Costs:\n{rows}\nNoTable\n")


def lp(supplies, demands, costs, forbidden, aim):
    """The same problem as an LP: supplies "<=" or "=", demands "=" or "<=" as the balance leaves room."""
    more_supply = sum(supplies) >= sum(demands)
    terms = [f"{costs[i][j]} x{i}_{j}" for i in range(len(supplies)) for j in range(len(demands))
             if not forbidden[i][j]]
    text = ("Maximize" if aim == "max" else "Minimize") + "\n obj: " + (" + ".join(terms) or "0 dummy") + "\nSubject To\n"
    for i, a in enumerate(supplies):
        cells = [f"x{i}_{j}" for j in range(len(demands)) if not forbidden[i][j]]
        text += f" s{i}: {' + '.join(cells) or '0 dummy'} {'<=' if more_supply else '='} {a}\n"
    for j, b in enumerate(demands):
        cells = [f"x{i}_{j}" for i in range(len(supplies)) if not forbidden[i][j]]
        text += f" d{j}: {' + '.join(cells) or '0 dummy'} {'=' if more_supply else '<='} {b}\n"
    return text + "End\n"


def glpsol(path, kind):
    out = subprocess.run(["glpsol", kind, path, "-o", path + ".out"], capture_output=True, text=True)
    report = open(path + ".out").read() if os.path.exists(path + ".out") else ""
    if "PRIMAL SOLUTION IS INFEASIBLE" in report or "NO PRIMAL" in out.stdout or "INFEASIBLE" in out.stdout:
        return None
    match = re.search(r"^Objective:\s*\S+\s*=\s*(\S+)", report, re.M)
    return float(match.group(1)) if match else None


def qtb(solver, args):
    run = subprocess.run([solver, "--json", "--tables", "none", *args], capture_output=True, text=True)
    answer = json.loads(run.stdout)
    if answer.get("end") == "infeasible":
        return None
    if not answer.get("ok"):
        raise RuntimeError(f"{args}: {run.stdout.strip()}")
    return float(answer["total_cost"])


def main():
    solver = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 150
    if shutil.which("glpsol") is None:
        print("glpsol not installed (glpk-utils): skipped")
        return 77
    rng = random.Random(20261210)
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        os.chdir(work)
        for k in range(count):
            supplies, demands, costs, forbidden = problem(rng, k)
            aim = "max" if k % 7 == 3 else "min"  # profits, some of them
            open("p.qtt", "w").write(qtt(supplies, demands, costs, forbidden, aim))
            open("p.lp", "w").write(lp(supplies, demands, costs, forbidden, aim))
            expected = glpsol("p.lp", "--lp")
            for start_index, start in enumerate(STARTS):
                exact = ["--arithmetic", "exact"] if k % 10 == start_index else []  # fractions, now and then
                got = qtb(solver, [*exact, "--start", start, "p.qtt"])
                same = (got is None and expected is None) or (
                    got is not None and expected is not None and abs(got - expected) <= 1e-6 * max(1, abs(expected)))
                if not same:
                    failures += 1
                    shutil.copy("p.qtt", os.path.join(os.path.dirname(solver), f"transport_failed_{k}.qtt"))
                    print(f"problem {k} ({len(supplies)} x {len(demands)}), {start}: qtb-solve {got}, glpsol {expected}")
        if os.path.exists(GLPK_TRANSP):
            shutil.copy(GLPK_TRANSP, "transp.mod")
            expected = glpsol("transp.mod", "--math")
            for start in STARTS:
                got = qtb(solver, ["--method", "potentials", "--start", start, "transp.mod"])
                if got is None or abs(got - expected) > 1e-6 * max(1, abs(expected)):
                    failures += 1
                    print(f"transp.mod, {start}: qtb-solve {got}, glpsol {expected}")
    print(f"{count} random problems x {len(STARTS)} starts: {failures} disagreements")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
