#!/usr/bin/env python3
"""The layout file's JSON Schema against the program: every layout the
program writes is valid, and the schema refuses exactly what the reader
refuses (the reader's verdict is the batch mode's exit code: 2 for a layout
file refused).

    layout_schema_test.py WHIRLPANE SCHEMA
"""
import copy
import json
import subprocess
import sys
import tempfile
from pathlib import Path

import jsonschema

program, schema_path = sys.argv[1], sys.argv[2]
schema = json.loads(Path(schema_path).read_text(encoding="utf-8"))
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)
failures = []

body = {"shape": "circle", "size": 14, "turn": 0}
column = {"gap": 26, "spacing": 26, "bodies": [body]}
base = {"whirlpane-layout": 1, "arrangementTurn": 0, "ellipseRatio": 2, "columns": [column]}


def changed(path, value):
    """The base document with one value replaced (None removes the key)."""
    doc = copy.deepcopy(base)
    *parents, last = path
    node = doc
    for key in parents:
        node = node[key]
    if value is None:
        del node[last]
    else:
        node[last] = value
    return doc


C, B = ("columns", 0), ("columns", 0, "bodies", 0)
cases = [  # (name, document, accepted)
    ("base", base, True),
    ("no arrangementTurn", changed(("arrangementTurn",), None), True),
    ("no ellipseRatio", changed(("ellipseRatio",), None), True),
    ("size written 14.0", json.loads(json.dumps(base).replace('"size": 14', '"size": 14.0')), True),
    ("ratio 0.2", changed(("ellipseRatio",), 0.2), True),
    ("ratio 4", changed(("ellipseRatio",), 4), True),
    ("turn -1000000", changed(B + ("turn",), -1000000), True),
    ("ellipse", changed(B + ("shape",), "ellipse"), True),
    ("gap 32 spacing 40", changed(C, {"gap": 32, "spacing": 40, "bodies": [body]}), True),
    ("no version", changed(("whirlpane-layout",), None), False),
    ("version 2", changed(("whirlpane-layout",), 2), False),
    ("unknown key", changed(("colour",), "red"), False),
    ("no columns", changed(("columns",), None), False),
    ("columns empty", changed(("columns",), []), False),
    ("7 columns", changed(("columns",), [column] * 7), False),
    ("columns not a list", changed(("columns",), column), False),
    ("gap 25", changed(C + ("gap",), 25), False),
    ("gap 33", changed(C + ("gap",), 33), False),
    ("spacing 17", changed(C + ("spacing",), 17), False),
    ("spacing 41", changed(C + ("spacing",), 41), False),
    ("spacing 26.5", changed(C + ("spacing",), 26.5), False),
    ("column key unknown", changed(C + ("width",), 3), False),
    ("column without bodies", changed(C + ("bodies",), None), False),
    ("6 bodies", changed(C + ("bodies",), [body] * 6), False),
    ("no bodies", changed(C + ("bodies",), []), False),
    ("size 4", changed(B + ("size",), 4), False),
    ("size 21", changed(B + ("size",), 21), False),
    ("size 14.5", changed(B + ("size",), 14.5), False),
    ("size a string", changed(B + ("size",), "14"), False),
    ("size true", changed(B + ("size",), True), False),
    ("turn 1000001", changed(B + ("turn",), 1000001), False),
    ("body without turn", changed(B + ("turn",), None), False),
    ("body key unknown", changed(B + ("colour",), "red"), False),
    ("shape hexagon", changed(B + ("shape",), "hexagon"), False),
    ("ratio 0.1", changed(("ellipseRatio",), 0.1), False),
    ("ratio 4.2", changed(("ellipseRatio",), 4.2), False),
    ("ratio a string", changed(("ellipseRatio",), "2"), False),
    ("arrangementTurn 1.5", changed(("arrangementTurn",), 1.5), False),
    ("not an object", [base], False),
    ("flow in full", changed(("flow",), {"reynolds": 150, "mach": 0.08, "bodyViscosity": "uniform",
                                         "timeStepping": "time-accurate", "fineness": 1,
                                         "dissipation": "flow-speed"}), True),
    ("flow empty", changed(("flow",), {}), True),
    ("flow at the range ends", changed(("flow",), {"reynolds": 10, "mach": 0.1}), True),
    ("reynolds 9", changed(("flow",), {"reynolds": 9}), False),
    ("mach 0.11", changed(("flow",), {"mach": 0.11}), False),
    ("mach a string", changed(("flow",), {"mach": "0.05"}), False),
    ("bodyViscosity double", changed(("flow",), {"bodyViscosity": "double"}), False),
    ("timeStepping global", changed(("flow",), {"timeStepping": "global"}), False),
    ("fineness 5", changed(("flow",), {"fineness": 5}), False),
    ("dissipation upwind", changed(("flow",), {"dissipation": "upwind"}), False),
    ("flow key unknown", changed(("flow",), {"prandtl": 0.7}), False),
    ("flow not an object", changed(("flow",), 100), False),
    ("channel in full", changed(("channel",), {"height": 40, "upstream": 30.5, "downstream": 30,
                                               "bodyOffset": -1.5, "inflow": "parabolic",
                                               "outlet": "whole"}), True),
    ("channel outlet only", changed(("channel",), {"outlet": "whole"}), True),
    ("channel without upstream", changed(("channel",), {"height": 40, "downstream": 30}), False),
    ("bodyOffset alone", changed(("channel",), {"bodyOffset": 1}), False),
    ("height 0", changed(("channel",), {"height": 0, "upstream": 30, "downstream": 30}), False),
    ("outlet left", changed(("channel",), {"outlet": "left"}), False),
    ("channel ends only", changed(("channel",), {"ends": "non-reflecting"}), True),
    ("ends open", changed(("channel",), {"ends": "open"}), False),
    ("startTime alone", changed(("channel",), {"startTime": 2.5}), True),
    ("startTime negative", changed(("channel",), {"startTime": -1}), False),
    ("channel key unknown", changed(("channel",), {"width": 40}), False),
]


def run(*arguments):
    return subprocess.run([program, *arguments], capture_output=True, text=True, timeout=300)


with tempfile.TemporaryDirectory() as work:
    work = Path(work)
    # What the program writes: the start-up layout and the four patterns
    # (the window's "保存" writes through the same routine).
    for name in ["default", "pt_1", "pt_2", "pt_3", "pt_4"]:
        path = work / f"{name}.json"
        written = run("--write-layout", name, str(path))
        if written.returncode != 0:
            failures.append(f"--write-layout {name}: exit {written.returncode} {written.stderr}")
            continue
        for error in validator.iter_errors(json.loads(path.read_text(encoding="utf-8"))):
            failures.append(f"{name} as written: {error.message}")

    for name, document, accepted in cases:
        path = work / "case.json"
        path.write_text(json.dumps(document), encoding="utf-8")
        valid = validator.is_valid(document)
        read = run("--batch", str(path), "--out", str(work / "out"), "--steps", "1")
        reader_accepts = read.returncode != 2
        if valid != accepted:
            failures.append(f"{name}: the schema {'accepts' if valid else 'refuses'} it")
        if reader_accepts != accepted:
            failures.append(f"{name}: the reader {'accepts' if reader_accepts else 'refuses'} it "
                            f"(exit {read.returncode})")

for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)
