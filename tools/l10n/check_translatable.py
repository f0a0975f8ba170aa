#!/usr/bin/env python3
"""Fails when a text the user sees is written as a plain literal where lupdate cannot find it.

lupdate only collects literals inside tr(), QT_TR_NOOP and QT_TRANSLATE_NOOP. This looks at the
calls that put text on the screen (labels, buttons, tooltips, titles, menu entries, message
boxes, accessible names) and reports each one whose text argument is a bare literal with a word
in it. A literal that is meant to stay as it is (a URL placeholder, a method name, a product name)
carries the comment `// untranslated: <why>` on its line.

Usage: check_translatable.py [FOLDER...]   (default: src/ui src/app)
"""
import re
import sys
from pathlib import Path

# Calls whose first argument is shown to the user.
DISPLAY_CALLS = (
    "setText", "setToolTip", "setWindowTitle", "setPlaceholderText", "setStatusTip",
    "setWhatsThis", "setAccessibleName", "setAccessibleDescription", "setLabelText",
    "setInformativeText", "setDetailedText", "setTabText", "setTabToolTip", "setTitle",
    "addMenu", "showMessage", "setHeaderLabels", "setSpecialValueText", "setSuffix",
    "setPrefix", "setButtonText",
)
# Constructors whose first argument is shown to the user.
DISPLAY_TYPES = (
    "QLabel", "QPushButton", "QCheckBox", "QRadioButton", "QGroupBox", "QAction", "QToolButton",
    "QMenu",
)
LITERAL = r'(?:u"(?:[^"\\]|\\.)*"_s|QStringLiteral\("(?:[^"\\]|\\.)*"\)|QLatin1String\("(?:[^"\\]|\\.)*"\)|"(?:[^"\\]|\\.)*")'
CALL_RE = re.compile(r'\b(?:' + "|".join(DISPLAY_CALLS) + r')\(\s*(' + LITERAL + r')')
NEW_RE = re.compile(r'\bnew\s+(?:' + "|".join(DISPLAY_TYPES) + r')\(\s*(' + LITERAL + r')')
# addAction(text, ...) and addTab(widget, text): the text is the first or second argument.
ADD_ACTION_RE = re.compile(r'\baddAction\(\s*(' + LITERAL + r')')
ADD_TAB_RE = re.compile(r'\b(?:addTab|insertTab)\([^,()]+(?:\([^()]*\))?,\s*(?:[^,()]+,\s*)?(' + LITERAL + r')')
WORD = re.compile(r'[A-Za-z]{2,}')
EXEMPT = "// untranslated:"


ESCAPE = re.compile(r'\\(?:u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|x[0-9A-Fa-f]+|.)')
# Strings are matched too, so that a "//" inside one is not taken for a comment.
COMMENT = re.compile(r'"(?:[^"\\\n]|\\.)*"|//[^\n]*|/\*.*?\*/', re.S)


def literal_text(literal):
    match = re.search(r'"((?:[^"\\]|\\.)*)"', literal)
    return ESCAPE.sub(" ", match.group(1)) if match else ""


def check_file(path):
    text = path.read_text(encoding="utf-8")
    lines = text.splitlines()
    # Comments are blanked out (keeping the offsets) so that prose about a call is not a call.
    code = COMMENT.sub(
        lambda m: m.group(0) if m.group(0).startswith('"') else re.sub(r"[^\n]", " ", m.group(0)),
        text)
    problems = []
    for pattern in (CALL_RE, NEW_RE, ADD_ACTION_RE, ADD_TAB_RE):
        for match in pattern.finditer(code):
            first = code.count("\n", 0, match.start()) + 1
            number = code.count("\n", 0, match.start(1)) + 1
            # The exemption may sit on any line from the call to its text.
            exempt = any(EXEMPT in line for line in lines[first - 1:number])
            if exempt or not WORD.search(literal_text(match.group(1))):
                continue
            problems.append(f"{path}:{number}: untranslatable text {match.group(1)}")
    return sorted(set(problems), key=lambda p: int(p.split(":")[1]))


def main(folders):
    problems = []
    for folder in folders or ["src/ui", "src/app"]:
        for path in sorted(Path(folder).rglob("*.cpp")) + sorted(Path(folder).rglob("*.h")):
            problems += check_file(path)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} texts the user sees are not marked for translation "
              f"(wrap them in tr(), or add '{EXEMPT} <why>' to the line)")
        return 1
    print("every text the user sees is marked for translation")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
