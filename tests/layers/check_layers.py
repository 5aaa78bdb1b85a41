#!/usr/bin/env python3
"""Checks that every #include of the program's code follows the layers.

  check_layers.py LAYERS_TXT SOURCE_DIR

LAYERS_TXT is written by the build: one line "file layer" per source or header,
then one line "layer: used layers" per layer. A file may include files of its
own layer, of the layers it uses, the resource ids (res/) and system headers;
the window-free layers may not include the class library's window headers.
Only the main window (app/ui/UpdaterDlg*), which owns the wizard pages,
includes a page's header: another page or a box reaches a page through
CPageHost. Every include against these rules is printed with its file and
line, and the check fails.
"""
import re
import sys
from pathlib import Path

WINDOW_FREE = {"dfu", "device", "content", "firmware", "sim"}
WINDOW_HEADERS = {f"framework/{name}.h" for name in
                  ("Framework", "Wnd", "Dialog", "Controls", "ListCtrl", "Menu", "Gdi", "ImageList",
                   "FileDialog", "MessageMap")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
CLASS_BASE = re.compile(r"^class (C\w+) : public (C\w+)", re.M)
MAIN_WINDOW = "app/ui/UpdaterDlg"


def read_layers(path):
    layer_of, uses = {}, {}
    for line in Path(path).read_text().splitlines():
        if not line or line.startswith("#"):
            continue
        if ":" in line:
            name, used = line.split(":", 1)
            uses[name.strip()] = set(used.split())
        else:
            file, layer = line.rsplit(" ", 1)
            layer_of[file] = layer
    return layer_of, uses


def page_headers(layer_of, source):
    """The wizard pages' headers and their classes: the classes of the ui/
    folders that derive from CWizardPage and that no other class derives from."""
    base_of, header_of = {}, {}
    for file in layer_of:
        if "/ui/" in file and file.endswith(".h"):
            for name, base in CLASS_BASE.findall((source / file).read_text(encoding="utf-8", errors="replace")):
                base_of[name], header_of[name] = base, file

    def is_page(name):
        while name in base_of:
            name = base_of[name]
            if name == "CWizardPage":
                return True
        return False

    bases = set(base_of.values())
    return {header_of[name]: name for name in base_of if is_page(name) and name not in bases}


def main():
    layer_of, uses = read_layers(sys.argv[1])
    source = Path(sys.argv[2])
    # The pages' headers, and the main window's own, which no page includes either.
    pages = page_headers(layer_of, source) | {f"{MAIN_WINDOW}.h": "CUpdaterDlg"}
    faults = []
    for file, layer in sorted(layer_of.items()):
        allowed = uses.get(layer, set()) | {layer}
        text = (source / file).read_text(encoding="utf-8", errors="replace")
        in_ui = "/ui/" in file and not file.startswith(MAIN_WINDOW)
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(1)
            if included.startswith("res/"):
                continue
            target = layer_of.get(included)
            if layer in WINDOW_FREE and included in WINDOW_HEADERS:
                faults.append(f"{file}:{number}: window-free {layer} includes the window header {included}")
            elif target is None:
                faults.append(f"{file}:{number}: includes {included}, which belongs to no layer")
            elif target not in allowed:
                faults.append(f"{file}:{number}: {layer} includes {included} of {target} "
                              f"(allowed: {', '.join(sorted(allowed))})")
            elif in_ui and included in pages and f"{pages[included]}::" not in text:
                faults.append(f"{file}:{number}: includes {included} of {pages[included]}; only the main "
                              "window includes the pages, others reach them through CPageHost")
    for fault in faults:
        print(fault)
    print(f"{len(layer_of)} files checked, {len(faults)} includes against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
