"""The board designer's pictures."""
from . import controls, cursors, frame, rulers, textbars


def draw(outdir):
    controls.draw(outdir)
    cursors.draw(outdir)
    rulers.draw(outdir)
    frame.draw(outdir)
    textbars.draw(outdir)
