"""PNG files of the page pictures, as small as a faithful encoding allows."""

import io

from PIL import Image


def _encoded(image):
    data = io.BytesIO()
    image.save(data, "PNG", optimize=True)
    return data.getvalue()


def png_file(image, reduce=True):
    """The picture as a PNG: reduced to 256 colours (with their alphas) when allowed and
    that is the smaller file, which it is for all but the smallest pictures."""
    full = _encoded(image)
    if not reduce:
        return full
    # libimagequant keeps the see-through edges smooth.
    reduced = _encoded(image.quantize(256, method=Image.Quantize.LIBIMAGEQUANT,
                                      dither=Image.Dither.FLOYDSTEINBERG))
    return reduced if len(reduced) < len(full) else full
