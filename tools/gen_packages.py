#!/usr/bin/env python3
"""Makes sample firmware packages (".img") for tests and demonstrations.

    python3 tools/gen_packages.py OUTDIR
        writes the sample set below into OUTDIR
    python3 tools/gen_packages.py --product 0x5910 --images 3 OUT.img
        writes one valid package for a product

A package is a 36-byte header (24-byte text field, 4 unused bytes, product
id, image count N), N short entries of 32 bytes (target, type, offset, size,
MD5), N image entries of 312 bytes (target, type, offset, size, version
major, version minor, 272 unused bytes, MD5 at 0x128) and the image bytes;
every number is little-endian. Image bytes are a fixed pseudo-random
sequence, so the same call always writes the same files.

The sample set:
    hid_valid.img        0x6010, three images (targets 0, 2, 1; sizes 5000, 1019, 1020)
    hid_corrupt.img      hid_valid.img with one byte of the third image flipped
    hid_wrong_model.img  hid_valid.img made for 0x5410
    v40_valid.img        0x4210, product id word 0, two images
    camera.img           0x3020: a DFU library file tagged "LUMEN#3020" at byte 16, a camera image
    camera_corrupt.img   camera.img whose second short digest is wrong
    camera_one_image.img 0x3020 with only the Bluetooth image
Python 3 standard library only.
"""

import argparse
import hashlib
import os
import struct

import gen_dfu_file

HEADER_SIZE = 36
SHORT_ENTRY_SIZE = 32
IMAGE_ENTRY_SIZE = 312


def image_bytes(seed, size):
    """A fixed pseudo-random byte sequence (linear congruential)."""
    state = (seed * 2654435761 + 12345) & 0xFFFFFFFF
    out = bytearray(size)
    for i in range(size):
        state = (state * 1103515245 + 12345) & 0xFFFFFFFF
        out[i] = (state >> 16) & 0xFF
    return bytes(out)


def package(product, images, text=b"TORVIK SAMPLE", version=(1, 0)):
    """images: list of (target, type, bytes). Returns the package bytes."""
    n = len(images)
    data_start = HEADER_SIZE + (SHORT_ENTRY_SIZE + IMAGE_ENTRY_SIZE) * n
    header = text.ljust(24, b"\0")[:24] + b"\0" * 4 + struct.pack("<II", product, n)
    shorts, entries, blobs = b"", b"", b""
    offset = data_start
    for target, kind, blob in images:
        digest = hashlib.md5(blob).digest()
        shorts += struct.pack("<IIII", target, kind, offset, len(blob)) + digest
        entries += (struct.pack("<IIIIII", target, kind, offset, len(blob), version[0], version[1])
                    + b"\0" * 272 + digest)
        blobs += blob
        offset += len(blob)
    return header + shorts + entries + blobs


def bluetooth_image(model, product, size):
    """A DFU library file (tools/gen_dfu_file.py): its identity text "%s#%04X" at byte 16."""
    return gen_dfu_file.dfu_file("%s#%04X" % (model, product), "2.1", product, size)


def flip(data, offset):
    out = bytearray(data)
    out[offset] ^= 0x01
    return bytes(out)


def sample_set():
    hid_images = [(0, 1, image_bytes(1, 5000)), (2, 2, image_bytes(2, 1019)), (1, 3, image_bytes(3, 1020))]
    hid_valid = package(0x6010, hid_images)
    last_image = len(hid_valid) - 1020
    camera_images = [(0, 0, bluetooth_image("LUMEN", 0x3020, 2048)), (0, 1, image_bytes(5, 4096))]
    camera = package(0x3020, camera_images)
    camera_corrupt = bytearray(camera)
    second_digest = HEADER_SIZE + SHORT_ENTRY_SIZE + 16
    camera_corrupt[second_digest] ^= 0xFF
    return {
        "hid_valid.img": hid_valid,
        "hid_corrupt.img": flip(hid_valid, last_image + 7),
        "hid_wrong_model.img": package(0x5410, hid_images),
        "v40_valid.img": package(0, [(0, 1, image_bytes(7, 3000)), (1, 2, image_bytes(8, 2000))]),
        "camera.img": camera,
        "camera_corrupt.img": bytes(camera_corrupt),
        "camera_one_image.img": package(0x3020, camera_images[:1]),
    }


def write_whole(path, data):
    temp = path + ".tmp"
    with open(temp, "wb") as f:
        f.write(data)
    os.replace(temp, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out", help="folder for the sample set, or the package file with --product")
    parser.add_argument("--product", type=lambda v: int(v, 0), help="product id of a single package")
    parser.add_argument("--images", type=int, default=3, help="number of images of a single package")
    parser.add_argument("--size", type=int, default=4096, help="bytes per image of a single package")
    args = parser.parse_args()
    if args.product is not None:
        images = [(0 if i == 0 else 2, i + 1, image_bytes(i + 1, args.size)) for i in range(args.images)]
        write_whole(args.out, package(args.product, images))
        return
    os.makedirs(args.out, exist_ok=True)
    for name, data in sample_set().items():
        write_whole(os.path.join(args.out, name), data)


if __name__ == "__main__":
    main()
