#!/usr/bin/env python3
"""Builds the benchmark's synthetic trees below a folder, once: files are sparse, so the trees
cost inodes, not disk space.

  many/  600,000 files in 20,000 directories (200 folders of 100 directories of 30 files)
  flat/  one directory of 200,000 files

A tree is rebuilt only when its completion mark is missing."""
import os
import random
import sys

# Assorted logical lengths: mostly small files, some of megabytes, a few of gigabytes.
SIZES = [(0.55, 0, 8 << 10), (0.35, 8 << 10, 1 << 20), (0.095, 1 << 20, 256 << 20),
         (0.005, 1 << 30, 8 << 30)]


def size_of(rng):
    pick = rng.random()
    for share, low, high in SIZES:
        if pick < share:
            return rng.randint(low, high)
        pick -= share
    return 0


def make_file(dir_fd, name, length):
    fd = os.open(name, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644, dir_fd=dir_fd)
    if length:
        os.ftruncate(fd, length)
    os.close(fd)


def build(root, name, make):
    tree = os.path.join(root, name)
    mark = os.path.join(root, name + ".complete")
    if os.path.exists(mark):
        return
    print(f"building {tree} ...", file=sys.stderr, flush=True)
    os.system(f"rm -rf '{tree}'")
    os.makedirs(tree)
    make(tree, random.Random(name))
    open(mark, "w").close()


def many(tree, rng):
    for top in range(200):
        top_path = os.path.join(tree, f"group-{top:03d}")
        os.mkdir(top_path)
        for sub in range(100):
            path = os.path.join(top_path, f"folder-{sub:03d}")
            os.mkdir(path)
            fd = os.open(path, os.O_RDONLY | os.O_DIRECTORY)
            for f in range(30):
                make_file(fd, f"file-{f:02d}.dat", size_of(rng))
            os.close(fd)


def flat(tree, rng):
    fd = os.open(tree, os.O_RDONLY | os.O_DIRECTORY)
    for f in range(200_000):
        make_file(fd, f"entry-{f:06d}.bin", size_of(rng))
    os.close(fd)


if __name__ == "__main__":
    root = sys.argv[1]
    os.makedirs(root, exist_ok=True)
    build(root, "many", many)
    build(root, "flat", flat)
