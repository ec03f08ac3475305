"""The board designer's pictures."""


def draw(outdir):
    pass
