"""The built-in start-up level and text screen, compiled into the program."""


def generate():
    return {}
