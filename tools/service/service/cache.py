"""The generated images and test files, made once into a cache folder and reused.

The folder holds wallpapers/<name> for every catalogue wallpaper and files/<name> for the test
files. A stamp of the catalogue and of the generating code says whether the folder is current;
a lock lets several processes start at once.
"""

import fcntl
import hashlib
import os
from pathlib import Path

from . import imagebytes, pages
from .reply import HTML, JPEG, TEXT

DEFAULT_CACHE = Path(__file__).resolve().parent.parent / ".cache"

_SHORT_TEXT = ("To nie jest obrazek, tylko krotki tekst testowy. " * 3)[:99] + "\n"


def _sample(artwork, width, height):
    return artwork.picture(width, height, ("#ffd200", "#1d976c"), 7, f"{width}x{height}")


def _padded(artwork, size):
    jpeg = artwork.encode(_sample(artwork, 1920, 1080), "JPEG", quality=90)
    return imagebytes.pad_jpeg(jpeg, size)


# name -> (content type, maker). A maker gets the PIL-based artwork module as its argument, so
# that serving a ready cache needs no PIL.
TEST_FILES = {
    "big.png": ("image/png",
                lambda art: art.encode(_sample(art, 1024, 683), "PNG", compress_level=0)),
    "small.png": ("image/png",
                  lambda art: art.encode(_sample(art, 48, 32), "PNG", optimize=True)),
    "small.jpg": (JPEG, lambda art: art.encode(_sample(art, 64, 48), "JPEG", quality=90)),
    "small.bmp": ("image/bmp", lambda art: art.encode(_sample(art, 64, 48), "BMP")),
    "limit.jpg": (JPEG, lambda art: _padded(art, imagebytes.LINK_LIMIT)),
    "over-limit.jpg": (JPEG, lambda art: _padded(art, imagebytes.LINK_LIMIT + 1)),
    "page.html": (HTML, lambda art: pages.long_page()),
    "short.txt": (TEXT, lambda art: _SHORT_TEXT.encode("ascii")),
}


def _write(path, data):
    temporary = path.with_name(path.name + ".part")
    temporary.write_bytes(data)
    os.replace(temporary, path)


class Cache:
    def __init__(self, catalogue, root=DEFAULT_CACHE):
        self.catalogue = catalogue
        self.root = Path(root)

    def wallpaper_path(self, wallpaper):
        return self.root / "wallpapers" / wallpaper.name

    def file_path(self, name):
        if name not in TEST_FILES:
            raise KeyError(f"no test file {name!r}; there are {', '.join(TEST_FILES)}")
        return self.root / "files" / name

    def file_type(self, name):
        return TEST_FILES[name][0]

    def _stamp(self):
        digest = hashlib.sha256(self.catalogue.source)
        here = Path(__file__).resolve().parent
        for module in ("artwork.py", "cache.py", "imagebytes.py", "pages.py"):
            digest.update((here / module).read_bytes())
        return digest.hexdigest()

    def prepare(self):
        """Makes every file unless the folder already holds the current ones."""
        self.root.mkdir(parents=True, exist_ok=True)
        stamp_path = self.root / "stamp"
        stamp = self._stamp()
        with open(self.root / ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if stamp_path.exists() and stamp_path.read_text() == stamp:
                return
            self._generate()
            stamp_path.write_text(stamp)

    def _generate(self):
        try:
            from . import artwork
        except ImportError as error:
            raise RuntimeError(
                f"generating the wallpapers needs PIL (Debian package python3-pil): {error}")
        (self.root / "wallpapers").mkdir(exist_ok=True)
        (self.root / "files").mkdir(exist_ok=True)
        for wallpaper in self.catalogue.wallpapers:
            _write(self.wallpaper_path(wallpaper), artwork.wallpaper_jpeg(wallpaper))
        for name, (_, make) in TEST_FILES.items():
            _write(self.file_path(name), make(artwork))
