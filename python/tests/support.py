"""What the Python tests share: the generated sample pictures of the
repository, and libvellum's C interface called directly through ctypes, as
an independent road to the same pixels."""

import ctypes
import os
import pathlib

SAMPLES = sorted(pathlib.Path(os.environ["VELLUM_SAMPLES"]).glob("*.wmf"))


class _Options(ctypes.Structure):
    _fields_ = [("size", ctypes.c_uint32), ("mode", ctypes.c_uint32), ("max_width", ctypes.c_uint32),
                ("max_height", ctypes.c_uint32), ("background", ctypes.c_uint32)]


class _Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_uint32), ("height", ctypes.c_uint32), ("stride", ctypes.c_uint32),
                ("pixels", ctypes.POINTER(ctypes.c_uint8))]


_library = ctypes.CDLL(os.environ["VELLUM_LIBRARY"])


def c_render(path, max_width, max_height, exact=False, background=0):
    """(width, height, pixel bytes) from vellum_render_file_with, or its status."""
    options = _Options()
    _library.vellum_options_init(ctypes.byref(options))
    options.mode, options.max_width, options.max_height, options.background = int(exact), max_width, max_height, background
    image = _Image()
    status = _library.vellum_render_file_with(os.fsencode(path), ctypes.byref(options), ctypes.byref(image), None)
    if status != 0:
        return status
    try:
        return image.width, image.height, ctypes.string_at(image.pixels, image.stride * image.height)
    finally:
        _library.vellum_image_free(ctypes.byref(image))


def wmf(box, records=b""):
    """A placeable WMF with the box (left, top, right, bottom) in logical
    units, 1440 of them an inch, the records given, and the end-of-file record."""
    import struct
    words = struct.unpack("<10H", struct.pack("<IH4hHI", 0x9AC6CDD7, 0, *box, 1440, 0))
    checksum = 0
    for w in words:
        checksum ^= w
    body = records + struct.pack("<IH", 3, 0)
    header = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(body)) // 2, 1, 8, 0)
    return struct.pack("<IH4hHIH", 0x9AC6CDD7, 0, *box, 1440, 0, checksum) + header + body


def filled_rectangle(colour, left, top, right, bottom):
    """Records that fill a rectangle with a solid brush of colour 0xRRGGBB."""
    import struct
    r, g, b = colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF
    brush = struct.pack("<IHHBBBBH", 7, 0x02FC, 0, r, g, b, 0, 0)   # CREATEBRUSHINDIRECT, solid
    select = struct.pack("<IHH", 4, 0x012D, 0)                       # SELECTOBJECT 0
    rectangle = struct.pack("<IH4h", 7, 0x041B, bottom, right, top, left)
    return brush + select + rectangle
