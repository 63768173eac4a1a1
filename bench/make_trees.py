#!/usr/bin/env python3
"""Builds the benchmark's synthetic trees below a folder, once: files are sparse, so the trees
cost inodes, not disk space.

  many/     600,000 files in 20,000 directories (200 folders of 100 directories of 30 files)
  flat/     one directory of 200,000 files
  profile/  a home folder whose special folders nest as on a desktop (HOME=profile): 120,000
            files in 6,000 directories, most of them below .local/share, .cache and Documents

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


def spread(path, rng, directories, files_each, depth=2):
    """`directories` directories of `files_each` files below `path`, in folders `depth` deep."""
    os.makedirs(path, exist_ok=True)
    for d in range(directories):
        parts = [f"dir-{(d // 10 ** level) % 10}" for level in range(depth - 1, 0, -1)]
        sub = os.path.join(path, *parts, f"item-{d:05d}")
        os.makedirs(sub)
        fd = os.open(sub, os.O_RDONLY | os.O_DIRECTORY)
        for f in range(files_each):
            make_file(fd, f"file-{f:02d}", size_of(rng))
        os.close(fd)


def profile(tree, rng):
    # The folders the survey's rows name (see README: where each folder lies on Linux), and
    # some that no row names; sizes in directories of 20 files.
    for relative, directories in [(".local/share/applications", 50), (".local/share/RecentDocuments", 5),
                                  (".local/share/other", 1500), (".cache", 1600),
                                  ("Documents", 1000), ("Desktop", 200), ("Templates", 5),
                                  (".config/autostart", 1), (".config/other", 300),
                                  ("src", 1300)]:
        spread(os.path.join(tree, relative), rng, directories, 20)


if __name__ == "__main__":
    root = sys.argv[1]
    os.makedirs(root, exist_ok=True)
    build(root, "many", many)
    build(root, "flat", flat)
    build(root, "profile", profile)
