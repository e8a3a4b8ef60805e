#!/usr/bin/env bash
# Fails while a text the programs show has no English translation: brings a copy of each
# .ts file up to date with the code and looks for texts left unfinished or empty, and for
# .ts files that lag behind the code.
# Usage: check_translations.sh LUPDATE SOURCE_DIR part=dir,dir... ...
set -euo pipefail
lupdate=$1 root=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for entry in "$@"; do
  part=${entry%%=*}
  IFS=, read -r -a dirs <<<"${entry#*=}"
  ts="$root/translations/trelvik_${part}_en.ts"
  cp "$ts" "$work/$part.ts"
  (cd "$root" && "$lupdate" -silent -locations none -no-obsolete "${dirs[@]}" -ts "$work/$part.ts")
  python3 - "$ts" "$work/$part.ts" <<'PY' || status=1
import sys, xml.etree.ElementTree as ET
committed, current = sys.argv[1], sys.argv[2]
name = committed.rsplit("/", 1)[-1]
def texts(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            t = message.find("translation")
            found[(context.findtext("name"), message.findtext("source"))] = t
    return found
now, before = texts(current), texts(committed)
missing = [k for k, t in now.items() if t is None or t.get("type") in ("unfinished", "vanished", "obsolete")
           or not ((t.text or "") + "".join(n.text or "" for n in t.iter("numerusform"))).strip()]
lagging = set(now) ^ set(before)
for context, source in missing:
    print(f"{name}: no English for [{context}] {source!r}")
for context, source in sorted(lagging - set(missing)):
    print(f"{name}: not up to date for [{context}] {source!r} (cmake --build <build> --target update_translations)")
sys.exit(1 if missing or lagging else 0)
PY
done
[ "$status" -eq 0 ] && echo "every text has its translation"
exit "$status"
