"""Byte-level changes to image files: padding a JPEG to an exact size, damaging one."""

import random

LINK_LIMIT = 10485760  # the largest image the program takes from a link

_SOI = b"\xff\xd8"
_APP0 = b"\xff\xe0"
_COM = b"\xff\xfe"
_MAX_SEGMENT = 0xFFFF + 2  # marker plus the largest length field


def pad_jpeg(jpeg, size):
    """Returns jpeg grown to exactly size bytes and still a valid JPEG.

    The padding is comment segments, which decoders skip, after the JFIF header (strict readers
    want that header first); a remainder too short for a segment goes after the end marker.
    """
    if not jpeg.startswith(_SOI):
        raise ValueError("not a JPEG")
    at = 2
    if jpeg[2:4] == _APP0:
        at += 2 + int.from_bytes(jpeg[4:6], "big")
    need = size - len(jpeg)
    if need < 0:
        raise ValueError(f"the JPEG already has {len(jpeg)} bytes, more than {size}")
    segments = []
    while need >= 4:
        take = min(need, _MAX_SEGMENT)
        if 0 < need - take < 4:
            take -= 4  # leaves room for one last whole segment
        segments.append(_COM + (take - 2).to_bytes(2, "big") + b" " * (take - 4))
        need -= take
    return jpeg[:at] + b"".join(segments) + jpeg[at:] + b"\0" * need


def damage(data, keep):
    """Keeps the first keep bytes (the signature) and replaces the rest with fixed noise."""
    rest = len(data) - keep
    if rest <= 0:
        return data
    return data[:keep] + random.Random(keep).randbytes(rest)
