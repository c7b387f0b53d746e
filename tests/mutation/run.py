#!/usr/bin/env python3
"""Mutation check of the tests: builds each mutant of mutants.txt in a scratch copy of the tree
and prints killed / survived / equivalent / error with the mutant's name.

  python3 tests/mutation/run.py [--no-wine] [NAME_PART ...]

A mutant of src/core runs the host unit tests, one of src/win the Windows-side tests under Wine;
the test program named like the mutated file runs first and alone, the rest only when it misses."""
import filecmp, os, shutil, subprocess, sys, time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WORK = ROOT / "build" / "mutation"
TREE = WORK / "tree"
E2E = ROOT / "tests" / "e2e"
ENV = dict(os.environ, VARNEL_E2E_DIR=str(WORK / "e2e"))
# Files whose tests are named otherwise.
FIRST = {"ini_document": "profile_store", "note_items_file": "note_file", "note_content": "note_row_commands",
         "text_escape": "note_file", "note_settings": "note_file", "format_record": "note_properties",
         "registry_ops": "store_backends", "win_file_ops": "store_backends", "global_commands": "main_window",
         "note_menus": "notes_dialogs", "note_commands": "notes_dialogs", "shortcuts": "command_table",
         "date_codes": "calendar", "schedule": "calendar", "date_formats": "calendar", "date_format_assist": "calendar",
         "drop_text": "text_export", "run_text": "text_export"}


def sh(cmd, timeout=900):
    try:
        return subprocess.run(cmd, cwd=WORK, env=ENV, timeout=timeout, stdin=subprocess.DEVNULL,
                              capture_output=True).returncode
    except subprocess.TimeoutExpired:
        return 124


def sync():  # copy only what differs, so the builds stay incremental; drop what went
    for part in ["CMakeLists.txt", "cmake", "src", "resources", "tests", "bench", "fuzz"]:
        for f in [ROOT / part] if (ROOT / part).is_file() else (ROOT / part).rglob("*"):
            d = TREE / f.relative_to(ROOT)
            if f.is_file() and (not d.exists() or not filecmp.cmp(f, d, shallow=False)):
                d.parent.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(f, d)
        for d in (TREE / part).rglob("*") if (TREE / part).is_dir() else []:
            if d.is_file() and not (ROOT / d.relative_to(TREE)).exists():
                d.unlink()


BROKEN = set()  # test programs that fail unmutated: they cannot tell a mutant apart


def programs(b):
    found = (TREE / "tests" / ("win" if b == "win" else "unit")).rglob("*_test.cpp")
    return sorted(p.stem for p in found if p.stem not in BROKEN)


def build(b, names):
    return sh(["ninja", "-C", str(WORK / b), "-j2"] + [n + (".exe" if b == "win" else "") for n in names]) == 0


def run(b, name):
    exe = next(p for p in (WORK / b / "tests").rglob(name + (".exe" if b == "win" else "")) if p.is_file())
    cmd = ["bash", str(E2E / "wine-run.sh"), str(exe)] if b == "win" else [str(exe), "--gtest_brief=1"]
    return sh(cmd, timeout=180) == 0


def try_mutant(rel, b):  # the name of the test program that fails, "" or an error
    first, rest = FIRST.get(Path(rel).stem, Path(rel).stem) + "_test", programs(b)
    for names in ([first], [n for n in rest if n != first]) if first in rest else (rest,):
        if not build(b, names):
            return "error: does not build (%s)" % b
        for n in names:
            if not run(b, n):
                return "killed by " + n
    return ""


def main():
    wine = "--no-wine" not in sys.argv
    wanted = [a for a in sys.argv[1:] if not a.startswith("--")]
    lines = (ROOT / "tests" / "mutation" / "mutants.txt").read_text(encoding="utf-8").splitlines()
    rows = [line.replace("\u21b5", "\n").split("\t") for line in lines if line.strip() and not line.startswith("#")]
    mutants = [(f + [""] * 5)[:5] for f in rows if not wanted or any(w in f[0] for w in wanted)]
    WORK.mkdir(parents=True, exist_ok=True)
    sync()
    config = {"host": ["-DCMAKE_CXX_COMPILER=g++"],
              "win": ["-DCMAKE_TOOLCHAIN_FILE=" + str(TREE / "cmake" / "mingw-w64-x86_64.cmake")]}
    if wine and sh(["bash", str(E2E / "wine-setup.sh")]) != 0:
        sys.exit("no Wine prefix")
    for b in ["host", "win"] if wine else ["host"]:
        if not (WORK / b / "build.ninja").exists():
            sh(["cmake", "-S", str(TREE), "-B", str(WORK / b), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release"] + config[b])
        if not build(b, programs(b)):
            sys.exit("the unmutated %s build fails" % b)
        BROKEN.update(n for n in programs(b) if not run(b, n))
    if BROKEN:
        print("left out, as they fail unmutated: " + " ".join(sorted(BROKEN)), flush=True)
    count = {}
    for name, rel, pattern, repl, equivalent in mutants:
        start, path = time.time(), TREE / rel
        original = path.read_text(encoding="utf-8") if path.is_file() else ""  # as synced at the start
        hits = original.count(pattern) if pattern else 0
        if equivalent:
            result = "equivalent: " + equivalent
        elif hits != 1:
            result = "error: the text is found %d times in %s" % (hits, rel)
        elif rel.startswith("src/win") and not wine:
            result = "skipped: needs Wine"
        else:
            path.write_text(original.replace(pattern, repl), encoding="utf-8")
            try:
                result = try_mutant(rel, "win" if rel.startswith("src/win") else "host") or "survived"
            finally:
                path.write_text(original, encoding="utf-8")  # a new time stamp: rebuilt next time
        kind = result.split(" ")[0].rstrip(":")
        count[kind] = count.get(kind, 0) + 1
        print("%-10s %-34s %s (%ds)" % (kind, name, result, time.time() - start), flush=True)
    print("TOTAL " + ", ".join("%s %d" % kv for kv in sorted(count.items())), flush=True)
    if wine:
        sh(["bash", str(E2E / "wine-cleanup.sh")])
    sys.exit(1 if "error" in count else 0)


main()
