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

DEFAULT_CACHE = Path(__file__).resolve().parent.parent / ".cache"

# name -> what the file is, for the README and error messages
TEST_FILES = {
    "big.png": "a PNG picture of about 2 MB (1024x683, stored uncompressed)",
    "small.png": "a PNG picture of 48x32, a few hundred bytes",
    "small.jpg": "a JPEG picture of 64x48",
    "small.bmp": "a 24-bit BMP picture of 64x48",
    "limit.jpg": f"a valid JPEG of exactly {imagebytes.LINK_LIMIT} bytes (1920x1080, padded)",
    "over-limit.jpg": f"a valid JPEG of exactly {imagebytes.LINK_LIMIT + 1} bytes (1920x1080, padded)",
    "page.html": "an HTML page of several KB",
    "short.txt": "a text of exactly 100 bytes",
}

_SHORT_TEXT = ("To nie jest obrazek, tylko krotki tekst testowy. " * 3)[:99] + "\n"


def _test_file_bytes(name):
    if name == "page.html":
        return pages.long_page()
    if name == "short.txt":
        return _SHORT_TEXT.encode("ascii")
    from . import artwork  # PIL is needed only while generating

    def sample(width, height):
        return artwork.picture(width, height, ("#ffd200", "#1d976c"), 7, f"{width}x{height}")

    if name == "big.png":
        return artwork.encode(sample(1024, 683), "PNG", compress_level=0)
    if name == "small.png":
        return artwork.encode(sample(48, 32), "PNG", optimize=True)
    if name == "small.jpg":
        return artwork.encode(sample(64, 48), "JPEG", quality=90)
    if name == "small.bmp":
        return artwork.encode(sample(64, 48), "BMP")
    if name in ("limit.jpg", "over-limit.jpg"):
        jpeg = artwork.encode(sample(1920, 1080), "JPEG", quality=90)
        return imagebytes.pad_jpeg(jpeg, imagebytes.LINK_LIMIT + (name == "over-limit.jpg"))
    raise KeyError(name)


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
        for name in TEST_FILES:
            _write(self.file_path(name), _test_file_bytes(name))
