#!/usr/bin/env python3
"""Fills a folder with what the maker's firmware server holds, so that the
local server (tests/fixtures/server/server.py) can stand in for it:

    python3 tools/gen_firmware_server.py ROOT

writes, below ROOT/malvobluetoothmanager/, the firmware index "Firmware", the
revisions index "Revisions" and the packages they name, for the headsets of
the demonstration (sim/scenarios/demo.txt):

    Torvik Ostrel (0x5910, firmware 1.2): 1.3 offered with English, French and
        German voice prompts; 1.2 in the revisions
    TKV8 (0x4D10, firmware 4.3): 4.5 offered; 4.3 in the revisions

Index lines are "model:vVERSION:file" or "model:vVERSION:language:file"; the
model is its file-name form. Packages are made by tools/gen_packages.py (HID
models) and tools/gen_dfu_file.py (the DFU library's files), so the same call
always writes the same files. Files are written whole and only when missing or
older than this script. Python 3 standard library only.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_dfu_file  # noqa: E402
import gen_packages  # noqa: E402

FOLDER = "malvobluetoothmanager"
IMAGE_SIZE = 256 * 1024
LANGUAGES = ("English", "French", "German")


def ostrel(version, seed):
    images = [(0, 1, gen_packages.image_bytes(seed, IMAGE_SIZE)), (2, 2, gen_packages.image_bytes(seed + 1, 4096))]
    return gen_packages.package(0x5910, images, version=tuple(int(p) for p in version.split(".")))


def tkv8(version):
    return gen_dfu_file.dfu_file("TKV8#4D10", version, 0x4D10, IMAGE_SIZE)


def contents():
    """File name below the folder: bytes."""
    files = {}
    firmware = ["TKV8:v4.5:TKV8_v4.5.img"]
    revisions = ["TKV8:v4.3:TKV8_v4.3.img"]
    files["TKV8_v4.5.img"] = tkv8("4.5")
    files["TKV8_v4.3.img"] = tkv8("4.3")
    for index, (version, lines) in enumerate((("1.3", firmware), ("1.2", revisions))):
        for n, language in enumerate(LANGUAGES):
            name = "TorvikOstrel_v%s_%s.img" % (version, language)
            lines.append("TorvikOstrel:v%s:%s:%s" % (version, language, name))
            files[name] = ostrel(version, 10 * index + 3 * n + 1)
    files["Firmware"] = ("\r\n".join(firmware) + "\r\n").encode("ascii")
    files["Revisions"] = ("\r\n".join(revisions) + "\r\n").encode("ascii")
    return files


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("root", help="the folder the server serves")
    args = parser.parse_args(argv)
    folder = os.path.join(args.root, FOLDER)
    index = os.path.join(folder, "Firmware")
    if os.path.exists(index) and os.path.getmtime(index) >= os.path.getmtime(os.path.abspath(__file__)):
        return 0
    files = contents()
    # The index last: its presence says the folder is complete.
    for name in sorted(files, key=lambda n: n == "Firmware"):
        gen_dfu_file.write(os.path.join(folder, name), files[name])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
