#!/usr/bin/python3
"""Runs the sample program with several command lines and compares its standard output,
standard error, exit status and test_result.json against the files in expected/.

Times and the absolute source directory are masked. Pass --update to rewrite the expected
files after reviewing a deliberate change of the output."""

import os
import re
import subprocess
import sys
import tempfile

# name, arguments, exit status, whether test_result.json must be written
SCENARIOS = [
    ("all", [], 29, True),
    ("all_empty_suite", [""], 29, True),
    ("suite", ["FW_PARAMS"], 3, True),
    ("suite_test_params", ["FW_PARAMS", "ShowParams", "2", "5"], 0, False),
    ("one_duplicate", ["FW_DUP_B"], 0, False),
    ("no_match", ["NO_SUCH_SUITE"], 0, False),
    ("unknown_test", ["FW_PARAMS", "NoSuchTest"], 0, False),
]
# scenarios whose expected files are those of another scenario
SHARED = {"all_empty_suite": "all"}


def mask(text, source_dir):
    text = text.replace(source_dir + os.sep, "<src>/")
    text = re.sub(r"Test time: \d+\.\d\d seconds\.", "Test time: <t> seconds.", text)
    text = re.sub(r"but took [0-9.e+-]+ms\.", "but took <ms>ms.", text)
    return text


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def compare(label, expected_path, actual, update, problems):
    if update:
        with open(expected_path, "w", encoding="utf-8") as f:
            f.write(actual)
        return
    expected = read(expected_path)
    if expected != actual:
        import difflib

        diff = "".join(difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                            expected_path, label))
        problems.append(f"{label} differs:\n{diff}")


def run(program, args, cwd):
    return subprocess.run([program] + args, cwd=cwd, capture_output=True, timeout=60)


def main():
    update = "--update" in sys.argv
    argv = [a for a in sys.argv[1:] if a != "--update"]
    program, source_dir = os.path.abspath(argv[0]), os.path.abspath(argv[1])
    expected_dir = os.path.join(source_dir, "expected")
    problems = []

    for name, args, status, writes_json in SCENARIOS:
        base = os.path.join(expected_dir, SHARED.get(name, name))
        with tempfile.TemporaryDirectory() as cwd:
            proc = run(program, args, cwd)
            out = mask(proc.stdout.decode("utf-8"), source_dir)
            err = mask(proc.stderr.decode("utf-8"), source_dir)
            if proc.returncode != status:
                problems.append(f"{name}: exit status {proc.returncode}, expected {status}")
            do_update = update and name not in SHARED
            compare(f"{name} stdout", base + ".stdout", out, do_update, problems)
            compare(f"{name} stderr", base + ".stderr", err, do_update, problems)
            json_path = os.path.join(cwd, "test_result.json")
            if writes_json:
                if not os.path.exists(json_path):
                    problems.append(f"{name}: test_result.json not written")
                else:
                    compare(f"{name} json", base + ".json", read(json_path), do_update, problems)
            elif os.path.exists(json_path):
                problems.append(f"{name}: test_result.json written although no record exists")

    # A benchmark file that cannot be created is reported; the exit status stays the failures.
    with tempfile.TemporaryDirectory() as cwd:
        os.mkdir(os.path.join(cwd, "test_result.json"))
        proc = run(program, ["FW_PARAMS", "SlowComputation"], cwd)
        err = proc.stderr.decode("utf-8")
        if proc.returncode != 1:
            problems.append(f"unwritable json: exit status {proc.returncode}, expected 1")
        if not err.endswith("Unable to write json file.\n"):
            problems.append(f"unwritable json: stderr ends with {err[-80:]!r}")
        if "benchmark data saved" in proc.stdout.decode("utf-8"):
            problems.append("unwritable json: claims the file was saved")

    # An earlier benchmark file is replaced, not appended to.
    with tempfile.TemporaryDirectory() as cwd:
        with open(os.path.join(cwd, "test_result.json"), "w") as f:
            f.write("x" * 500)
        run(program, ["FW_PARAMS", "FastComputation"], cwd)
        content = read(os.path.join(cwd, "test_result.json"))
        want = '[{"id": 1,"name": "FastComputation","expect": 1.23457e+06,"actual": 50.25}]'
        if content != want:
            problems.append(f"replaced json: {content!r}")

    for p in problems:
        print(p)
    print("FAILED" if problems else "all scenarios match")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
