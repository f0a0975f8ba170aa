#!/usr/bin/env python3
"""Fails when a folder of the window includes a folder above it.

The window is built in layers: `common` and `commands` are used by everyone, the editors and the
response viewer build on them, the screens, the sidebar and the preferences on those, and the
shell composes everything. A lower folder reaching up makes the folders depend on each other in
both directions, so any area could no longer be understood (or tested) without the whole window.
The core library (model, execution, interchange, scripting, state) never includes the window at all.

Usage: check_layers.py [SRC]   (default: src)
"""
import re
import sys
from pathlib import Path

RANK = {
    "common": 0, "commands": 0,
    "editor": 1, "response": 1,
    "screens": 2, "sidebar": 2, "preferences": 2,
    "shell": 3,
}
CORE = ("model", "execution", "interchange", "scripting", "state")
INCLUDE = re.compile(r'^\s*#\s*include\s+"(ui/([a-z]+)/[^"]+|ui/[^"]+)"', re.M)


def main() -> int:
    src = Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        parts = path.relative_to(src).parts
        text = path.read_text(encoding="utf-8")
        for match in INCLUDE.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            where = f"{path}:{line}"
            if parts[0] in CORE:
                faults.append(f"{where}: the core library includes the window ({match.group(1)})")
            elif parts[0] == "ui" and len(parts) > 2:
                area, target = parts[1], match.group(2)
                if area not in RANK or target not in RANK:
                    faults.append(f"{where}: {area} or {target} has no place in the layers")
                elif target != area and RANK[target] >= RANK[area]:
                    faults.append(f"{where}: {area} includes {target}, which is not below it")
    for fault in faults:
        print(fault)
    if faults:
        return 1
    print("layers: every folder of the window includes only folders below it")
    return 0


if __name__ == "__main__":
    sys.exit(main())
