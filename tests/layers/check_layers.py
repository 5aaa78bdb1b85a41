#!/usr/bin/env python3
"""Checks that every #include of the program's code follows the layers.

  check_layers.py LAYERS_TXT SOURCE_DIR

LAYERS_TXT is written by the build: one line "file layer" per source or header,
then one line "layer: used layers" per layer. A file may include files of its
own layer, of the layers it uses, the resource ids (res/) and system headers;
the window-free layers may not include the class library's window headers.
Every include against these rules is printed with its file and line, and the
check fails.
"""
import re
import sys
from pathlib import Path

WINDOW_FREE = {"dfu", "device", "content", "firmware", "sim"}
WINDOW_HEADERS = {f"framework/{name}.h" for name in
                  ("Framework", "Wnd", "Dialog", "Controls", "ListCtrl", "Menu", "Gdi", "ImageList",
                   "FileDialog", "MessageMap")}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


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


def main():
    layer_of, uses = read_layers(sys.argv[1])
    source = Path(sys.argv[2])
    faults = []
    for file, layer in sorted(layer_of.items()):
        allowed = uses.get(layer, set()) | {layer}
        text = (source / file).read_text(encoding="utf-8", errors="replace")
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
    for fault in faults:
        print(fault)
    print(f"{len(layer_of)} files checked, {len(faults)} includes against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
