#!/usr/bin/env python3
"""Lays out files of formats that are not text in one folder, for the tests
of the files the programs rewrite: 64 KiB of seeded random bytes, a gzip
file, and copies of real files (pictures, the help file, a program)."""
import argparse
import gzip
import os
import random
import shutil


def write(path, data):
    with open(path, "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("folder", help="where the files go")
    parser.add_argument("gzip", help="a file written gzipped as <name>.gz")
    parser.add_argument("copies", nargs="*", help="files copied under their own names")
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)

    # The very bytes a user's list was found holding: 65,536 values 0-255.
    random.seed(7)
    write(os.path.join(args.folder, "random_bytes"), bytes(random.randint(0, 255) for _ in range(65536)))

    with open(args.gzip, "rb") as source:
        # No time stamp, so the file is the same at every build.
        packed = gzip.compress(source.read(), mtime=0)
    write(os.path.join(args.folder, os.path.basename(args.gzip) + ".gz"), packed)

    for path in args.copies:
        shutil.copyfile(path, os.path.join(args.folder, os.path.basename(path)))


if __name__ == "__main__":
    main()
