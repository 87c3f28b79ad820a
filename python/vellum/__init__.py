"""Windows Metafiles (WMF) rendered into pixels, through libvellum.

    import vellum
    picture = vellum.render("chart.wmf", width=400)
    picture.to_png("chart.png")
    pixels = numpy.asarray(picture)     # height x width x 4 (B, G, R, A), no copy
    vellum.info("chart.wmf")["record_counts"]

Rendering releases the GIL, so threads render side by side.
"""

import operator
import os

from . import _vellum
from ._vellum import DEFAULT_MAX_SIZE, Error, Image, library_version

__all__ = ["render", "info", "Image", "Error", "DEFAULT_MAX_SIZE", "library_version"]

_MODES = {"gdi": False, "exact": True}
_NAMED_COLOURS = {"transparent": 0x00000000, "white": 0xFFFFFFFF, "black": 0xFF000000}


def render(source, width=None, height=None, mode="gdi", background=None):
    """Renders a WMF from a path (str or path-like) or from its bytes.

    width and height fit the picture to that many pixels, aspect kept,
    enlarging or shrinking; with both it fits inside the box; 0 leaves that
    side unbounded, and width=0, height=0 gives one pixel a logical unit.
    Neither given: inside DEFAULT_MAX_SIZE x DEFAULT_MAX_SIZE.
    mode is "gdi" (draws as Windows does) or "exact" (the exact player).
    background: None or "transparent", "white", "black", "#RRGGBB",
    "#RRGGBBAA", or a tuple (r, g, b) or (r, g, b, a) of 0..255.

    Raises OSError when the file cannot be read and vellum.Error (a
    ValueError) when the bytes are no picture that can be rendered.
    """
    data, name = _bytes_of(source)
    if width is None and height is None:
        width = height = DEFAULT_MAX_SIZE
    return _vellum._render(data, name, _side(width, "width"), _side(height, "height"), _exact(mode),
                           _colour(background))


def info(source, mode="gdi"):
    """The headers and the records of a WMF (a path or its bytes), as a dict.

    Keys: placeable, bounds (left, top, right, bottom) and units_per_inch
    (None without a placeable header), header_words, version, size_words,
    objects, largest_record_words, records (not counting the end-of-file
    record), record_counts {name: count}, not_played {name: count} (the
    types the player of `mode` passes over), complete (the end-of-file
    record was met) and broken (a record's size does not fit the file).
    """
    data, name = _bytes_of(source)
    return _vellum._info(data, name, _exact(mode))


def _bytes_of(source):
    if isinstance(source, (bytes, bytearray, memoryview)):
        return source, "<bytes>"
    path = os.fspath(source)
    with open(path, "rb") as f:
        return f.read(), os.fsdecode(path)


def _exact(mode):
    if mode not in _MODES:
        raise ValueError(f"mode must be 'gdi' or 'exact', not {mode!r}")
    return _MODES[mode]


def _side(value, what):
    if value is None:
        return 0
    try:
        side = operator.index(value)  # ints, numpy's among them; not floats
    except TypeError:
        side = -1
    if isinstance(value, bool) or not 0 <= side <= 32767:
        raise ValueError(f"{what} must be an int from 0 to 32767, not {value!r}")
    return side


def _colour(background):
    """0xAARRGGBB, not premultiplied, as libvellum takes it."""
    if background is None:
        return 0
    if isinstance(background, str):
        if background in _NAMED_COLOURS:
            return _NAMED_COLOURS[background]
        digits = background[1:]
        if background.startswith("#") and len(digits) in (6, 8) and all(c in "0123456789abcdefABCDEF" for c in digits):
            rgba = int(digits, 16) if len(digits) == 8 else int(digits, 16) << 8 | 0xFF
            return (rgba & 0xFF) << 24 | rgba >> 8
    elif isinstance(background, tuple) and len(background) in (3, 4) and all(
            isinstance(c, int) and 0 <= c <= 255 for c in background):
        r, g, b, a = background if len(background) == 4 else (*background, 255)
        return a << 24 | r << 16 | g << 8 | b
    raise ValueError("background must be 'transparent', 'white', 'black', '#RRGGBB', '#RRGGBBAA' "
                     f"or an (r, g, b[, a]) tuple, not {background!r}")

