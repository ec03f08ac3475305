"""The board designer's pictures."""

from . import cursors, rulers


def draw(outdir):
    cursors.draw(outdir)
    rulers.draw(outdir)
