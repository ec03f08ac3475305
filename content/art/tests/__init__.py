"""Pictures the tests build into their resource scripts."""
from . import controls


def draw(outdir):
    controls.draw(outdir)
