#!/usr/bin/env python3
"""Writes a zip archive whose bytes depend only on the files it holds.

    pack-zip.py ARCHIVE FOLDER

The archive holds FOLDER's files under FOLDER's own name, in name order, each with the time
SOURCE_DATE_EPOCH and mode 0755 (programs) or 0644 (everything else): nothing of the machine,
the umask or the hour of the build gets in.
"""
import os
import sys
import time
import zipfile


def members(folder):
    """(name in the archive, path on disk) of every file under folder, in name order."""
    root = os.path.basename(os.path.normpath(folder))
    found = []
    for parent, dirs, files in os.walk(folder):
        for name in files:
            path = os.path.join(parent, name)
            found.append((root + "/" + os.path.relpath(path, folder).replace(os.sep, "/"), path))
    return sorted(found)


def mode_of(path):
    return 0o755 if os.access(path, os.X_OK) else 0o644


def write_zip(archive, folder, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(archive, "w") as out:
        for name, path in members(folder):
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3
            info.external_attr = (0o100000 | mode_of(path)) << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                out.writestr(info, source.read(), compresslevel=9)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    write_zip(sys.argv[1], sys.argv[2], int(os.environ["SOURCE_DATE_EPOCH"]))


if __name__ == "__main__":
    main()
