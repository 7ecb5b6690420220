#!/usr/bin/env python3
"""Packs the portable zip: make_zip.py ZIP DATE EXE README.

The readme goes in as Windows' Notepad reads it best, UTF-8 with a byte-order
mark and CR LF line ends, under its own (Chinese) name, which the zip marks as
UTF-8. Every entry carries the release date, so the zip is the same each time.
"""
import pathlib
import sys
import zipfile


def main(zip_path, date, exe, readme):
    stamp = tuple(int(part) for part in date.split("-")) + (0, 0, 0)
    text = pathlib.Path(readme).read_text(encoding="utf-8")
    entries = [
        ("quorvel.exe", pathlib.Path(exe).read_bytes()),
        (pathlib.Path(readme).name, "\r\n".join(text.splitlines()).encode("utf-8-sig") + b"\r\n"),
    ]
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for name, data in entries:
            info = zipfile.ZipInfo(name, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            archive.writestr(info, data)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.splitlines()[0])
    main(*sys.argv[1:])
