#!/usr/bin/env python3
"""Makes firmware files of the DFU library for the simulated BlueCore chips.

The format is ours (dfu/DfuFile.h): magic "TVKDFU1\\0", the file's length, a
CRC-32 of bytes 16 to the end, the identity text "%s#%04X" at byte 16, the
version (major, minor, secondary type, secondary version) at byte 48, the
product id of the chip at byte 52, and the image from byte 64.

One file:

    python3 tools/gen_dfu_file.py OUT --identity TKV8#4D10 --version 4.3 \\
        [--product 0x4D10] [--variant valid|corrupt|short] [--size BYTES]

    valid    a file the library takes (at least 1648 bytes)
    corrupt  a valid file with one image byte changed after the checksum
    short    a file the library takes, one byte shorter than the 1648 bytes
             that a headset's identity check reads

A wrong-tag file is a valid file with another model's identity, a sibling-tag
file one with a sibling model's id after the "#": give that identity. The
identity is written as given, spaces included, so a padded identity is
" TKV8#4D10  ".

The files of the tests and of the demonstration:

    python3 tools/gen_dfu_file.py --fixtures DIR
"""

import argparse
import os
import struct
import sys
import zlib

MAGIC = b"TVKDFU1\0"
HEADER_SIZE = 64
IDENTITY_SIZE = 32
# What a headset's identity check reads of a file.
CHECKED_SIZE = 1648
DEFAULT_SIZE = 4096


def dfu_file(identity, version, product, size=DEFAULT_SIZE, variant="valid"):
    """The bytes of one file."""
    size = CHECKED_SIZE - 1 if variant == "short" else max(size, CHECKED_SIZE)
    parts = [int(p) for p in version.split(".")] + [0, 0, 0]
    name = identity.encode("latin-1")
    if len(name) > IDENTITY_SIZE:
        raise ValueError("identity longer than %d bytes" % IDENTITY_SIZE)
    body = bytearray(size - 16)
    body[0:len(name)] = name
    struct.pack_into("<4BH", body, 32, parts[0], parts[1], parts[2], parts[3], product & 0xFFFF)
    # The image: a pattern that differs from file to file.
    seed = zlib.crc32(name)
    for i in range(HEADER_SIZE - 16, len(body)):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        body[i] = (seed >> 16) & 0xFF
    data = bytearray(MAGIC + struct.pack("<II", size, zlib.crc32(bytes(body))) + bytes(body))
    if variant == "corrupt":
        data[size // 2] ^= 0x5A
    return bytes(data)


def write(path, data):
    """Writes a file whole: to a temporary name, then renamed into place."""
    folder = os.path.dirname(os.path.abspath(path))
    os.makedirs(folder, exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)


def product_of(identity):
    """The product id after the "#" of an identity, 0 when there is none."""
    try:
        return int(identity.strip().rsplit("#", 1)[1], 16)
    except (IndexError, ValueError):
        return 0


# name: identity, version, variant
FIXTURES = {
    "tkv8_4D10_4.3.dfu": ("TKV8#4D10", "4.3", "valid"),
    "tkv8_4D10_4.2.dfu": ("TKV8#4D10", "4.2", "valid"),
    "tkv8_4D10_corrupt.dfu": ("TKV8#4D10", "4.3", "corrupt"),
    "tkv8_4D10_short.dfu": ("TKV8#4D10", "4.3", "short"),
    "tkv8_4D10_padded.dfu": ("  TKV8#4D10 \t", "4.3", "valid"),
    "tkv8_4D10_longer.dfu": ("TKV8#4D10X", "4.3", "valid"),
    "tkv8_4D10_lower.dfu": ("tkv8#4d10", "4.3", "valid"),
    "tkv8_4D30_sibling.dfu": ("TKV8#4D30", "4.3", "valid"),
    "tkv8_blank.dfu": (" ", "4.3", "valid"),
    "wpr6t_5020_wrong.dfu": ("WPR6T#5020", "3.4", "valid"),
    "wpr6_5010.dfu": ("WPR6#5010", "3.3", "valid"),
    "wpr6_5060.dfu": ("WPR6#5060", "4.3", "valid"),
    "wpr6_5061.dfu": ("WPR6#5061", "5.3", "valid"),
    "tmwpr6_5011.dfu": ("T-M_WPR6#5011", "1.1", "valid"),
    "tkv3fm_4D45.dfu": ("TKV3-FM#4D45", "1.3", "valid"),
    "tkv3fm_4D65.dfu": ("TKV3-FM#4D65", "2.1", "valid"),
    "tkv3fm_4D15.dfu": ("TKV3-FM#4D15", "1.3", "valid"),
    "gzm6_5310.dfu": ("GZM6#5310", "1.2", "valid"),
    "lumen_3020.dfu": ("LUMEN#3020", "2.1.3.4", "valid"),
}


def make_fixtures(folder):
    for name, (identity, version, variant) in FIXTURES.items():
        write(os.path.join(folder, name), dfu_file(identity, version, product_of(identity), variant=variant))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out", nargs="?", help="the file to write")
    parser.add_argument("--identity", help='identity text, e.g. "TKV8#4D10"')
    parser.add_argument("--version", default="1.0", help="major.minor[.type.version]")
    parser.add_argument("--product", help="product id of the chip (default: the id after the '#')")
    parser.add_argument("--variant", default="valid", choices=["valid", "corrupt", "short"])
    parser.add_argument("--size", type=int, default=DEFAULT_SIZE, help="file size in bytes")
    parser.add_argument("--fixtures", metavar="DIR", help="write the files of the tests into DIR")
    args = parser.parse_args(argv)
    if args.fixtures:
        make_fixtures(args.fixtures)
        return 0
    if not args.out or args.identity is None:
        parser.error("give OUT and --identity, or --fixtures DIR")
    product = int(args.product, 0) if args.product else product_of(args.identity)
    write(args.out, dfu_file(args.identity, args.version, product, args.size, args.variant))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
