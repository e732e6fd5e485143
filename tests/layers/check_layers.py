#!/usr/bin/env python3
"""Checks that the folders of src/ keep their layers.

The order of the layers is written once, in the fenced ```layers block of
docs/architecture.md: one floor a line, the top floor first, folders of one floor side by side.
A folder may include only folders on floors below its own; so no folder reaches up and no two
folders can include each other round about. Every folder of src/ must stand on a floor.

Usage: check_layers.py MAP.md SRC_DIR   (exit 1 and one line per fault when the layers break)
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([A-Za-z0-9_]+)/([^"]+)"', re.MULTILINE)


def read_floors(map_file):
    """The floor number of each folder: 0 for the ground floor, counting upward."""
    text = open(map_file, encoding='utf-8').read()
    block = re.search(r'^```layers\n(.*?)^```', text, re.MULTILINE | re.DOTALL)
    if not block:
        raise SystemExit(f'{map_file}: no ```layers block that declares the floors')
    lines = [line.split('#')[0].split() for line in block.group(1).splitlines()]
    lines = [folders for folders in lines if folders]
    floors = {}
    for number, folders in enumerate(reversed(lines)):
        for folder in folders:
            if folder in floors:
                raise SystemExit(f'{map_file}: folder {folder} stands on two floors')
            floors[folder] = number
    return floors


def faults(floors, src):
    found = []
    folders = sorted(d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d)))
    for folder in folders:
        if folder not in floors:
            found.append(f'src/{folder}/ stands on no floor of the layers block')
            continue
        for name in sorted(os.listdir(os.path.join(src, folder))):
            if not name.endswith(('.h', '.cpp')):
                continue
            text = open(os.path.join(src, folder, name), encoding='utf-8', errors='replace').read()
            for target, header in INCLUDE.findall(text):
                if target == folder or target not in folders or target not in floors:
                    continue
                if floors[target] >= floors[folder]:
                    where = 'above' if floors[target] > floors[folder] else 'on the same floor as'
                    found.append(f'src/{folder}/{name} includes {target}/{header}, '
                                 f'a folder {where} {folder}/')
    return found


def main(argv):
    if len(argv) != 3:
        raise SystemExit(__doc__)
    found = faults(read_floors(argv[1]), argv[2])
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
