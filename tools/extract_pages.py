#!/usr/bin/python3
"""Writes the HTML resources (type 23) of a built kolorowisko.exe into a folder, each under
its resource name in lower case, the name by which the pages refer to one another and to
their pictures. The browser's res: protocol serves exactly these bytes, so tests that load
the extracted files see what the settings window would show.

    /usr/bin/python3 tools/extract_pages.py build/windows/app/kolorowisko.exe out/pages

Needs pefile (Debian's python3-pefile). Prints the names written; fails when the exe has
no HTML resources.
"""

import argparse
import sys
from pathlib import Path

import pefile

RT_HTML = 23


def html_resources(exe_path):
    """(name, bytes) of every named HTML resource in the exe, in the order stored."""
    pe = pefile.PE(str(exe_path), fast_load=True)
    pe.parse_data_directories(
        directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    found = []
    root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in root.entries if root else []:
        if kind.id != RT_HTML:
            continue
        for entry in kind.directory.entries:
            if entry.name is None:
                continue  # the pages are reached by name; numbered ones are not theirs
            for language in entry.directory.entries:
                data = language.data.struct
                found.append((str(entry.name), pe.get_data(data.OffsetToData, data.Size)))
                break  # one language is all that windres writes
    return found


def main():
    parser = argparse.ArgumentParser(description="Extract the pages and pictures of the exe.")
    parser.add_argument("exe", type=Path)
    parser.add_argument("folder", type=Path)
    args = parser.parse_args()
    resources = html_resources(args.exe)
    if not resources:
        sys.exit("%s: no HTML resources" % args.exe)
    args.folder.mkdir(parents=True, exist_ok=True)
    for name, data in resources:
        (args.folder / name.lower()).write_bytes(data)
        print(name.lower())


if __name__ == "__main__":
    main()
