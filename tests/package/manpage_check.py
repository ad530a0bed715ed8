#!/usr/bin/env python3
"""A manual page made from a program's help, rendered by man at 80 and 60 columns: no groff
warning, no line wider than the page or starting with closing punctuation, and no blank between two
full-width characters that the help does not have (a line of the help joined to the next).
usage: manpage_check.py PROGRAM PAGE"""
import os, re, subprocess, sys, unicodedata

program, page = sys.argv[1], sys.argv[2]
wide = lambda c: unicodedata.east_asian_width(c) in "WF"
help_text = subprocess.run([program, "--help"], capture_output=True, text=True,
                           env=dict(os.environ, COLUMNS="100000")).stdout
pairs = re.compile(r"(?=(\S) (\S))")
allowed = {m.groups() for m in pairs.finditer(help_text)}
problems = []
for width in (80, 60):
    rendered = subprocess.run(["man", "-l", page], capture_output=True, text=True,
                              env=dict(os.environ, MANWIDTH=str(width)))
    if rendered.stderr.strip():
        problems.append(f"{width} columns: {rendered.stderr.strip()}")
    for line in rendered.stdout.split("\n"):
        if sum(2 if wide(c) else 1 for c in line) > width or line.strip()[:1] in list("、。）」"):
            problems.append(f"{width} columns: too wide or broken before punctuation: {line}")
        for a, b in (m.groups() for m in pairs.finditer(line)):
            if wide(a) and wide(b) and (a, b) not in allowed:
                problems.append(f"{width} columns: a blank between {a} and {b}: {line.strip()}")
print("\n".join(problems) or f"manual page of {os.path.basename(program)}: ok")
sys.exit(1 if problems else 0)
