"""Start-up loads the thumbnail store: the copy that becomes the running one prunes the store to
500 wallpapers and deletes data files without a thumbnail (a copy that hands its argument to a
running copy leaves the store alone)."""
import os
import unittest

from harness import (ProgramTestCase, Program, data_folder, thumbnails_folder,
                     wait_for_tray_window)

# A fixed moment for the thumbnails' last-write times, in Unix seconds (2024-05-17 12:00 UTC).
MOMENT = 1715947200


class StartupLoadsTheThumbnailStore(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.data = data_folder()
        self.thumbnails = thumbnails_folder()
        self.data.mkdir(parents=True)
        self.thumbnails.mkdir(parents=True)

    def store(self, name, minutes):
        (self.data / name).write_bytes(b"picture")
        thumbnail = self.thumbnails / name
        thumbnail.write_bytes(b"thumbnail")
        os.utime(thumbnail, (MOMENT + minutes * 60,) * 2)

    def test_501_pairs_lose_the_oldest_and_stray_data_goes(self):
        # Names in another order than the times, so the oldest is not the first by name.
        for i in range(501):
            self.store(f"{1000 + i}.jpg", (i + 250) % 501)
        (self.data / "99.jpg").write_bytes(b"no thumbnail")
        (self.data / "custom.jpg").write_bytes(b"a link's picture")
        (self.data / "wall.bmp").write_bytes(b"BM")

        # The store is loaded before the tray window is made.
        program = Program()
        self.assertTrue(wait_for_tray_window(), "no tray window")
        self.assertEqual(program.stop(), 0)

        self.assertFalse((self.thumbnails / "1251.jpg").exists())
        self.assertFalse((self.data / "1251.jpg").exists())
        self.assertEqual(len(list(self.thumbnails.glob("*.jpg"))), 500)
        self.assertEqual(sorted(p.name for p in self.data.glob("*.jpg")),
                         sorted(p.name for p in self.thumbnails.glob("*.jpg")))
        self.assertTrue((self.data / "wall.bmp").exists())


if __name__ == "__main__":
    unittest.main()
