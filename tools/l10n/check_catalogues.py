#!/usr/bin/env python3
"""Fails when the catalogues under translations/ are behind the sources.

Runs lupdate over src/ into a copy of each catalogue and compares the texts it finds with those
the catalogue holds: a text added or removed in the sources without `make translations` fails,
and so does a text that a translation (every catalogue but the English one, which only lists
the source texts) leaves unfinished.

Usage: check_catalogues.py LUPDATE
"""
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

SOURCE_LANGUAGE = "mako_en.ts"


def messages(path):
    """(context, source, comment) -> whether the translation is unfinished."""
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            key = (name, message.findtext("source"), message.findtext("comment") or "")
            found[key] = message.find("translation").get("type") == "unfinished"
    return found


def main(lupdate):
    problems = []
    catalogues = sorted(Path("translations").glob("mako_*.ts"))
    with tempfile.TemporaryDirectory() as folder:
        for catalogue in catalogues:
            copy = Path(folder) / catalogue.name
            shutil.copy(catalogue, copy)
            subprocess.run([lupdate, "-silent", "-no-obsolete", "-locations", "none", "src",
                            "-ts", str(copy)], check=True)
            current, fresh = messages(catalogue), messages(copy)
            for key in sorted(fresh.keys() - current.keys()):
                problems.append(f"{catalogue}: not gathered yet: {key[0]} \"{key[1]}\"")
            for key in sorted(current.keys() - fresh.keys()):
                problems.append(f"{catalogue}: no longer in the sources: {key[0]} \"{key[1]}\"")
            if catalogue.name != SOURCE_LANGUAGE:
                for key, unfinished in sorted(current.items()):
                    if unfinished:
                        problems.append(f"{catalogue}: not translated: {key[0]} \"{key[1]}\"")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} catalogue entries are out of date (run `make translations`, "
              "then translate what it adds)")
        return 1
    print(f"{len(catalogues)} catalogues in step with the sources")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "/usr/lib/qt6/bin/lupdate"))
