"""The map-symbol sets: Lists.txt, sprinfo.txt and symbols.bmp of each game."""


def generate():
    return {}
