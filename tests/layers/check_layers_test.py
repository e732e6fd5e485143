#!/usr/bin/env python3
"""The layer check on small made-up trees: what it lets pass and what it reports."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402

MAP = '''# Map
```layers
top
middle side   # one floor, two folders
ground
```
'''


def tree(files):
    """A src/ folder with `files` ({'top/a.cpp': 'text'}) and the map beside it."""
    root = tempfile.mkdtemp()
    for path, text in files.items():
        full = os.path.join(root, 'src', path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        open(full, 'w').write(text)
    for folder in ('top', 'middle', 'side', 'ground'):
        os.makedirs(os.path.join(root, 'src', folder), exist_ok=True)
    open(os.path.join(root, 'map.md'), 'w').write(MAP)
    return os.path.join(root, 'map.md'), os.path.join(root, 'src')


class LayersTest(unittest.TestCase):
    def test_cases(self):
        cases = [
            # (files, faults expected: the words each reported line holds)
            ({'top/a.cpp': '#include "middle/b.h"\n#include "ground/c.h"\n',
              'middle/b.h': '#include "ground/c.h"\n#include "middle/d.h"\n'}, []),
            ({'ground/c.cpp': '#include "top/a.h"\n'}, ['ground/c.cpp includes top/a.h, a folder above']),
            ({'middle/b.cpp': '#include "side/s.h"\n'}, ['on the same floor as middle/']),
            # a circle of two folders: the lower half of it reaches up
            ({'top/a.h': '#include "middle/b.h"\n', 'middle/b.h': '  #  include "top/a.h"\n'},
             ['middle/b.h includes top/a.h']),
            ({'extra/e.cpp': ''}, ['src/extra/ stands on no floor']),
            # system headers, files of its own folder and names that are no folder of src/
            ({'ground/c.cpp': '#include <top/a.h>\n#include "QtCore/QString"\n'}, []),
        ]
        for files, expected in cases:
            with self.subTest(files=files):
                map_file, src = tree(files)
                found = check_layers.faults(check_layers.read_floors(map_file), src)
                self.assertEqual(len(found), len(expected), found)
                for line, words in zip(found, expected):
                    self.assertIn(words, line)

    def test_a_folder_on_two_floors_is_refused(self):
        map_file, _ = tree({})
        open(map_file, 'w').write('```layers\ntop\ntop ground\n```\n')
        with self.assertRaises(SystemExit):
            check_layers.read_floors(map_file)


if __name__ == '__main__':
    unittest.main()
