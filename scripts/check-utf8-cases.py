#!/usr/bin/env python3
"""Problem files saved in UTF-8 give what their Windows-1251 originals give.

For every case file: checks that the Windows-1251 original is not itself taken for UTF-8
(valid UTF-8 with a multi-byte sequence), then runs `qtb-solve --json` on the original and
on its UTF-8 conversion, each in a fresh folder, and compares the exit status, the output
and every file the run writes, byte for byte.

    scripts/check-utf8-cases.py build/qtb-solve ../shared/conformance/cases
"""
import pathlib
import subprocess
import sys
import tempfile


def taken_for_utf8(data: bytes) -> bool:
    if data.startswith(b"\xef\xbb\xbf"):
        return True
    try:
        data.decode("utf-8")
    except UnicodeDecodeError:
        return False
    return any(b >= 0x80 for b in data)


def run(solver: str, name: str, data: bytes):
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder)
        (path / name).write_bytes(data)
        result = subprocess.run([solver, "--json", name], cwd=folder, capture_output=True, timeout=300)
        files = {p.name: p.read_bytes() for p in path.iterdir() if p.name != name}
        return result.returncode, result.stdout, files


def main() -> int:
    solver = str(pathlib.Path(sys.argv[1]).resolve())
    cases = sorted(pathlib.Path(sys.argv[2]).glob("*.qtb"))
    mistaken, unconvertible, differ, same = [], [], [], 0
    for case in cases:
        original = case.read_bytes()
        if taken_for_utf8(original):
            mistaken.append(case.name)
            continue
        try:
            utf8 = original.decode("cp1251").encode("utf-8")
        except UnicodeDecodeError:  # byte 0x98, which the code page leaves unassigned
            unconvertible.append(case.name)
            continue
        if run(solver, case.name, original) != run(solver, case.name, utf8):
            differ.append(case.name)
        else:
            same += 1
    print(f"{len(cases)} cases: {same} give the same results in UTF-8, {len(differ)} differ, "
          f"{len(mistaken)} taken for UTF-8, {len(unconvertible)} not convertible")
    for name in differ + mistaken:
        print("  " + name)
    return 1 if differ or mistaken else 0


if __name__ == "__main__":
    sys.exit(main())
