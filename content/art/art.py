"""Draws one program's pictures: art.py <module> <outdir>.

Each program has a package beside this file (qvz/, patinor/, vendaroexplorer/, tests/) whose
draw(outdir) writes its files. Writers every package shares live in artlib.py. Output must be
the same bytes on every run: no dates, no randomness without a fixed seed.
"""
import importlib
import os
import sys


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: art.py <module> <outdir>")
    module, outdir = sys.argv[1], sys.argv[2]
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    os.makedirs(outdir, exist_ok=True)
    importlib.import_module(module).draw(outdir)


if __name__ == "__main__":
    main()
