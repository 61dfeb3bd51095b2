#!/usr/bin/python3
"""Run one suite of the conformance program and compare its failures with the known list.

Usage: check_suite.py PROGRAM SUITE DIVERGENCES

The suite passes when the failures it reports are exactly the entries of DIVERGENCES for
that suite: a new failure and a vanished divergence both fail the check. DIVERGENCES holds
lines 'suite|file|line|test|reason'; file is the base name of the failing source file.
"""
import os
import re
import subprocess
import sys

# Error descriptions printed at the end of a run: file:line:1 error: Failure in suite::test: msg
DESCRIPTION = re.compile(r"^(.*?):(\d+):1 error: Failure in ([^:]+)::([^:]+): (.*)$")


def load_divergences(path, suite):
    expected = {}
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            fields = line.split("|")
            if len(fields) < 5:
                sys.exit("malformed divergence line: %r" % line)
            if fields[0] == suite:
                expected[(fields[1], int(fields[2]), fields[3])] = fields[4]
    return expected


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    program, suite, divergences = sys.argv[1:]
    expected = load_divergences(divergences, suite)
    run = subprocess.run([program, suite], capture_output=True, text=True, errors="replace")
    sys.stdout.write(run.stdout)
    sys.stderr.write(run.stderr)
    found = {}
    count = 0
    for line in run.stderr.splitlines():
        m = DESCRIPTION.match(line)
        if m and m.group(3) == suite:
            key = (os.path.basename(m.group(1)), int(m.group(2)), m.group(4))
            found[key] = m.group(5)
            count += 1
    new = sorted(set(found) - set(expected))
    gone = sorted(set(expected) - set(found))
    for key in new:
        print("NEW FAILURE %s:%d %s: %s" % (key + (found[key],)))
    for key in gone:
        print("DIVERGENCE NO LONGER SEEN %s:%d %s (%s): remove it from the list" % (key + (expected[key],)))
    if "Success:" not in run.stdout and "FAILURE:" not in run.stdout:
        print("the program did not finish its run (exit status %d)" % run.returncode)
        return 1
    if run.returncode != count % 256:
        print("exit status %d differs from the %d failures reported" % (run.returncode, count))
        return 1
    return 1 if new or gone else 0


if __name__ == "__main__":
    sys.exit(main())
