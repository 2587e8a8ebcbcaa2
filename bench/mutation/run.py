#!/usr/bin/env python3
"""Injects faults into the game's code one at a time and counts how many the tests catch.

Each fault in the list is a piece of code as it stands and its replacement. The piece is looked
up in the source tree, so one list serves trees whose files have moved; a fault whose piece is
not found, or whose replacement does not build, is left out of the count.

    bench/mutation/run.py SOURCE_DIR BUILD_DIR [--target unit_tests] [--faults FILE]
"""
import argparse
import pathlib
import subprocess
import sys

SEARCHED = ("forms", "music", "platform")
SKIPPED = ("platform/qt", "platform/fluidsynth", "platform/headless", "platform/sequencer")


def read_faults(path):
    """Each fault: "== name", then "<<<" and the code, then ">>>" and its replacement. The code
    may start or end within a line: the last line break before the next marker is not part of it."""
    faults, name, part, pieces = [], None, None, {}

    def finish():
        if name:
            faults.append((name, pieces["<<<"][:-1], pieces[">>>"][:-1]))

    for line in path.read_text().splitlines(keepends=True):
        if line.startswith("== "):
            finish()
            name, part, pieces = line[3:].strip(), None, {}
        elif line.rstrip() in ("<<<", ">>>"):
            part = line.rstrip()
            pieces[part] = ""
        elif part:
            pieces[part] += line
    finish()
    return faults


def sources(root):
    for folder in SEARCHED:
        for path in sorted((root / folder).rglob("*")):
            relative = path.relative_to(root).as_posix()
            if path.suffix in (".cpp", ".h") and not relative.startswith(SKIPPED):
                yield path


def locate(root, original):
    hits = [p for p in sources(root) if p.read_text().count(original) == 1]
    return hits[0] if len(hits) == 1 else None


def run(command, cwd, timeout):
    try:
        return subprocess.run(command, cwd=cwd, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return -1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("source", type=pathlib.Path)
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("--target", default="unit_tests")
    parser.add_argument("--faults", type=pathlib.Path,
                        default=pathlib.Path(__file__).with_name("faults.txt"))
    args = parser.parse_args()
    # The commands run inside the source tree, so a build folder named relative to here must
    # not be taken relative to it.
    args.source, args.build = args.source.resolve(), args.build.resolve()
    build = ["cmake", "--build", str(args.build), "-j2", "--target", args.target]
    test = ["ctest", "--test-dir", str(args.build), "-L", "^unit$", "-j2", "--timeout", "60"]
    if run(build, args.source, 1800) != 0 or run(test, args.source, 600) != 0:
        sys.exit("the unmutated tree must build and pass its tests")
    caught = missed = skipped = 0
    for name, original, replacement in read_faults(args.faults):
        path = locate(args.source, original)
        if not path:
            print(f"not found  {name}")
            skipped += 1
            continue
        text = path.read_text()
        path.write_text(text.replace(original, replacement))
        try:
            if run(build, args.source, 600) != 0:
                print(f"no build   {name}")
                skipped += 1
            elif run(test, args.source, 600) != 0:
                print(f"caught     {name}")
                caught += 1
            else:
                print(f"MISSED     {name}  ({path.relative_to(args.source)})")
                missed += 1
        finally:
            path.write_text(text)
        sys.stdout.flush()
    run(build, args.source, 1800)
    print(f"\n{caught} caught, {missed} missed of {caught + missed}; {skipped} left out")


if __name__ == "__main__":
    main()
