"""The board designer's pictures."""
from . import controls


def draw(outdir):
    controls.draw(outdir)
