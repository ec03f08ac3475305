"""The board designer's pictures."""
from . import controls, cursors, frame, rulers, startmenu, settings, textbars


def draw(outdir):
    controls.draw(outdir)
    cursors.draw(outdir)
    rulers.draw(outdir)
    frame.draw(outdir)
    startmenu.draw(outdir)
    settings.draw(outdir)
    textbars.draw(outdir)
