#!/usr/bin/env python3
"""The English translations in translations/*.ts, for the people who keep them.

  scripts/translations.py missing [PART...]     untranslated texts as JSON lines:
                                                {"part", "context", "source", "comment"}
  scripts/translations.py fill FILE.jsonl       fills translations from such lines, each with
                                                an "english" key (and "plural" for %n forms:
                                                ["one", "many"])

Run `QT_HASH_SEED=0 cmake --build build --target update_translations` first, so that the .ts
files hold every text of the code, and again after `fill`, which lets lupdate write them in its
own form (the fixed seed keeps its order of contexts the same from run to run).
"""
import json
import pathlib
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent / "translations"


def ts_files(parts):
    return [ROOT / f"trelvik_{p}_en.ts" for p in parts] if parts else sorted(ROOT.glob("trelvik_*_en.ts"))


def part_of(path):
    return path.name[len("trelvik_"):-len("_en.ts")]


def unfinished(message):
    t = message.find("translation")
    # A plural's translation element holds only whitespace around its forms.
    return t is None or t.get("type") == "unfinished" or not ((t.text or "") + "".join(
        (n.text or "") for n in t.iter("numerusform"))).strip()


def missing(parts):
    for path in ts_files(parts):
        for context in ET.parse(path).getroot().iter("context"):
            name = context.findtext("name")
            for m in context.iter("message"):
                if unfinished(m):
                    print(json.dumps({"part": part_of(path), "context": name, "source": m.findtext("source"),
                                      "comment": m.findtext("comment") or "", "numerus": m.get("numerus") == "yes"},
                                     ensure_ascii=False))


def fill(lines_file):
    wanted = {}
    for line in pathlib.Path(lines_file).read_text(encoding="utf-8").splitlines():
        if line.strip():
            entry = json.loads(line)
            wanted[(entry["part"], entry["context"], entry["source"], entry.get("comment", ""))] = entry
    filled = 0
    for path in ts_files([]):
        tree = ET.parse(path)
        changed = False
        for context in tree.getroot().iter("context"):
            name = context.findtext("name")
            for m in context.iter("message"):
                entry = wanted.get((part_of(path), name, m.findtext("source"), m.findtext("comment") or ""))
                if not entry:
                    continue
                t = m.find("translation")
                if t is None:
                    t = ET.SubElement(m, "translation")
                t.attrib.pop("type", None)
                for child in list(t):
                    t.remove(child)
                if m.get("numerus") == "yes":
                    t.text = None
                    for form in entry.get("plural") or [entry["english"], entry["english"]]:
                        ET.SubElement(t, "numerusform").text = form
                else:
                    t.text = entry["english"]
                changed = True
                filled += 1
        if changed:
            ET.indent(tree, space="    ")
            body = ET.tostring(tree.getroot(), encoding="unicode")
            path.write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n", encoding="utf-8")
    print(f"{filled} translations filled", file=sys.stderr)


if __name__ == "__main__":
    if len(sys.argv) >= 2 and sys.argv[1] == "missing":
        missing(sys.argv[2:])
    elif len(sys.argv) == 3 and sys.argv[1] == "fill":
        fill(sys.argv[2])
    else:
        sys.exit(__doc__)
