"""The wallpaper engine against the stand-in service: pools, download and storage, custom links."""
import base64
import unittest

from harness import (CHANGE_FROM_POOL, SERVICE_NAME, SERVICE_PORT, SERVICE_SCHEME,
                     ServiceTestCase, data_folder, log_lines,
                     desktop_wallpaper, read_config, reset_user_state, run_with_argument,
                     snapshot_app_files, thumbnails_folder, user_folder, wine, write_config)

JAN = {"USER": "jan", "AUTORIZATION": "8c1f2e9a5b7d", "SAVE": "NO"}


def selection_pattern(user, code, pokaz, premium):
    suffix = "&premiowane=tak" if premium else ""
    return (rf"^/program/wybierz_tapete_v2\.php\?user={user}&kod_user={code}&pokaz={pokaz}"
            rf"&x=1920&y=1080{suffix}&losowa=\d+$")


class Pools(ServiceTestCase):

    def selection_target(self):
        requests = self.service.requests(kind="select")
        self.assertEqual(len(requests), 1, requests)
        self.assertEqual(requests[0]["role"], "service")
        self.assertEqual(requests[0]["tls"], SERVICE_SCHEME == "https")
        return requests[0]["target"]

    def test_each_hand_off_number_draws_from_its_pool(self):
        for number, pokaz, premium in [(-5, "all", True), (-4, "dodane_tap", False),
                                       (-3, "ulubione_kat", False), (-2, "ulubione_tap", False),
                                       (-1, "all", False)]:
            with self.subTest(number=number):
                self.service.reset()
                reset_user_state()  # nothing stored yet, so the choice is always downloaded
                write_config(JAN)
                self.assertEqual(run_with_argument(f'"kolorowisko:{number}"'), 0)
                self.assertRegex(self.selection_target(),
                                 selection_pattern("jan", "", pokaz, premium))
                self.assertEqual(len(self.service.requests(kind="image")), 1)

    def test_the_code_goes_with_the_user_only_when_save_is_yes(self):
        write_config(dict(JAN, SAVE="YES"))
        self.assertEqual(run_with_argument("kolorowisko:-2"), 0)
        self.assertRegex(self.selection_target(),
                         selection_pattern("jan", "8c1f2e9a5b7d", "ulubione_tap", False))

    def test_the_timer_pool_follows_the_stored_category(self):
        for category, pokaz, premium in [("0", "all", True), ("2", "ulubione_tap", False),
                                         ("9", "all", False)]:
            with self.subTest(category=category):
                self.service.reset()
                write_config(dict(JAN, CATEGORY=category))
                result = wine(CHANGE_FROM_POOL, 255, 0, timeout=120)
                self.assertIn("changed 1", result.stdout)
                self.assertRegex(self.selection_target(),
                                 selection_pattern("jan", "", pokaz, premium))


class DownloadAndStorage(ServiceTestCase):

    def image_targets(self):
        return [r["target"] for r in self.service.requests(kind="image")]

    def pick(self, wallpaper_id):
        self.choose_next(wallpaper_id)
        self.assertEqual(run_with_argument("kolorowisko:-1"), 0)

    def test_a_wallpaper_chosen_again_is_reused_and_becomes_the_newest(self):
        self.pick(12346)
        self.pick(12348)
        first_time = (thumbnails_folder() / "12346.jpg").stat().st_mtime_ns
        self.pick(12346)

        self.assertEqual(self.image_targets(),
                         ["/program//pobierz_jpeg_v2.php?zdjecie=12346.jpg",
                          "/program//pobierz_jpeg_v2.php?zdjecie=12348.jpg"])
        newest = (thumbnails_folder() / "12346.jpg").stat().st_mtime_ns
        self.assertGreater(newest, first_time)
        # The list is rebuilt from these times at the next start.
        self.assertGreater(newest, (thumbnails_folder() / "12348.jpg").stat().st_mtime_ns)
        config = read_config()
        self.assertEqual((config["CURRENT_ID"], config["CURRENT_NAME"]), ("12346", "12346.jpg"))

    def test_a_picture_name_becomes_the_file_name(self):
        self.pick(12351)
        self.assertTrue((data_folder() / "zima-12351.jpg").is_file())
        self.assertTrue((thumbnails_folder() / "zima-12351.jpg").is_file())
        self.assertEqual(read_config()["CURRENT_NAME"], "zima-12351.jpg")
        self.assertTrue(desktop_wallpaper().lower().endswith("\\kolorowisko\\data\\wall.bmp"))
        self.assertTrue((data_folder() / "wall.bmp").is_file())

    def test_a_number_is_fetched_by_id(self):
        self.assertEqual(run_with_argument("kolorowisko:12346"), 0)
        self.assertEqual(self.image_targets(), ["/program/pobierz_jpeg.php?id=12346"])
        self.assertEqual((data_folder() / "12346.jpg").read_bytes(),
                         self.service.wallpaper_path(12346).read_bytes())
        config = read_config()
        self.assertEqual((config["CURRENT_ID"], config["CURRENT_NAME"]), ("12346", "YES"))

    def test_a_negative_number_other_than_a_pool_is_an_id(self):
        self.assertEqual(run_with_argument("kolorowisko:-7"), 0)
        self.assertEqual(self.image_targets(), ["/program/pobierz_jpeg.php?id=-7"])
        # The service has no such wallpaper: its error page is not kept.
        self.assertFalse((data_folder() / "-7.jpg").exists())
        self.assertIsNone(read_config())


class ServiceFaults(ServiceTestCase):
    """A refused or broken answer leaves the desktop, the files and the settings as they were."""

    def setUp(self):
        super().setUp()
        self.choose_next(12345)
        self.assertEqual(run_with_argument("kolorowisko:-1"), 0)
        self.service.reset()
        self.before = (snapshot_app_files(), desktop_wallpaper())

    def assert_nothing_changed(self):
        self.assertEqual(run_with_argument("kolorowisko:-1"), 0)
        files, wallpaper = self.before
        self.assertEqual(desktop_wallpaper(), wallpaper)
        after = snapshot_app_files()
        self.assertEqual(sorted(after), sorted(files))
        for name, content in files.items():
            self.assertEqual(after[name], content, name)

    def test_refusals_and_broken_selection_answers(self):
        for fault in ["error", "no_id", "no_zdjecie", "unterminated_id", "unterminated_zdjecie",
                      "empty", "http_500"]:
            with self.subTest(fault=fault):
                self.service.reset()
                self.service.set_fault(fault, **({"text": "Brak tapet"} if fault == "error"
                                                 else {}))
                self.assert_nothing_changed()
                self.assertEqual(self.service.requests(kind="image"), [])
                reason = ('service error: "Brak tapet"' if fault == "error"
                          else "unexpected answer from the service")
                self.assertRegex(log_lines()[-2], rf"^change \(link\) pool 1: failed, {reason}, ")

    @unittest.skipUnless(SERVICE_SCHEME == "https", "the build talks plain http")
    def test_answers_that_did_not_come_safely_over_tls(self):
        host = f"{SERVICE_NAME}:{SERVICE_PORT}"
        self.addCleanup(self.service.set_certificate, "localhost")
        for certificate, told in [("expired", "certificate not accepted (12037)"),
                                  ("wrong-name", "certificate not accepted (12038)"),
                                  ("untrusted", "certificate not accepted (12045)"),
                                  ("localhost", "answer refused: the https request to")]:
            with self.subTest(certificate=certificate):
                self.service.reset()
                self.service.set_certificate(certificate)
                self.service.set_fault("to_http", count=1)  # taken by the first that arrives
                self.assert_nothing_changed()
                self.assertEqual(self.service.requests(kind="image"), [])
                self.assertTrue(log_lines()[-3].startswith(told), log_lines())
                self.assertIn(host, log_lines()[-3])
                self.assertRegex(log_lines()[-2], r"^change \(link\) pool 1: failed, no connection")

    def test_a_body_that_is_not_a_whole_image(self):
        for fault in ["not_image", "damaged"]:
            with self.subTest(fault=fault):
                self.service.reset()
                self.choose_next(12347)
                self.service.set_fault(fault)
                self.assert_nothing_changed()
                self.assertEqual(len(self.service.requests(kind="image")), 1)
                self.assertRegex(log_lines()[-2], r"^change \(link\) pool 1: failed, not an image, ")

    def test_picture_names_that_would_leave_the_data_folder(self):
        for name in ["..\\evil.jpg", "../evil.jpg", "a/evil.jpg", "C:evil.jpg", "..\\..\\evil.jpg"]:
            with self.subTest(name=name):
                self.service.reset()
                self.choose_next(12347, name)
                self.assert_nothing_changed()
                self.assertEqual(self.service.requests(kind="image"), [])
                self.assertEqual(list(user_folder().rglob("*evil*")), [])

    def test_answers_that_are_odd_but_whole_still_apply(self):
        for wallpaper_id, text in [(12347, "[zdjecie:12347.jpg] tekst [id:12347] koniec"),
                                   (12348, "[id:12348][zdjecie:12348.jpg][error:")]:
            with self.subTest(text=text):
                self.service.set_fault("body", text=text, scope="select")
                self.assertEqual(run_with_argument("kolorowisko:-1"), 0)
                self.assertEqual(read_config()["CURRENT_ID"], str(wallpaper_id))


class CustomLinks(ServiceTestCase):

    def apply_link(self, link):
        self.service.clear_log()
        self.assertEqual(run_with_argument(f'"kolorowisko:{link}"'), 0)

    def report(self):
        reports = self.service.requests(kind="report")
        self.assertEqual(len(reports), 1, reports)
        self.assertEqual(reports[0]["role"], "report")
        return reports[0]["target"]

    def expected_report(self, outcome, link):
        return f"/program/spr_link.php?change={outcome}&adres=" + base64.b64encode(
            link.encode()).decode()

    def custom_image(self):
        path = data_folder() / "custom.jpg"
        return path.read_bytes() if path.exists() else None

    def test_a_bare_link_is_fetched_over_http_and_reported_as_given(self):
        link = f"127.0.0.1:{SERVICE_PORT}/files/small.png"
        self.apply_link(link)
        self.assertEqual([r["target"] for r in self.service.requests(kind="file")],
                         ["/files/small.png"])
        self.assertEqual(self.report(), self.expected_report("ok", link))
        self.assertEqual(self.custom_image(), self.service.file_path("small.png").read_bytes())
        self.assertTrue((data_folder() / "wall.bmp").is_file())

    def test_a_large_png_becomes_the_custom_image(self):
        link = f"http://127.0.0.1:{SERVICE_PORT}/files/big.png"
        self.apply_link(link)
        self.assertEqual(self.report(), self.expected_report("ok", link))
        self.assertEqual(self.custom_image(), self.service.file_path("big.png").read_bytes())
        self.assertTrue(self.custom_image().startswith(b"\x89PNG"))
        self.assertTrue(desktop_wallpaper().lower().endswith("\\data\\wall.bmp"))

    def test_a_page_is_refused_and_the_wallpaper_stays(self):
        self.apply_link(f"http://127.0.0.1:{SERVICE_PORT}/files/small.jpg")
        wall = (data_folder() / "wall.bmp").read_bytes()
        shown = self.custom_image()
        link = f"http://127.0.0.1:{SERVICE_PORT}/files/page.html"
        self.apply_link(link)
        self.assertEqual(self.report(), self.expected_report("error", link))
        # The screens still show the last link's picture, so the start keeps it; the refused page
        # is not written in its place.
        self.assertEqual(self.custom_image(), shown)
        self.assertEqual((data_folder() / "wall.bmp").read_bytes(), wall)

    def test_ten_mebibytes_pass_and_one_byte_more_fails(self):
        self.apply_link(f"http://127.0.0.1:{SERVICE_PORT}/files/limit.jpg")
        shown = self.custom_image()
        self.assertEqual(len(shown), 10485760)
        link = f"http://127.0.0.1:{SERVICE_PORT}/files/over-limit.jpg"
        self.apply_link(link)
        self.assertEqual(self.report(), self.expected_report("error", link))
        # Kept while the screens show it, and the refused body is not written.
        self.assertEqual(self.custom_image(), shown)


if __name__ == "__main__":
    unittest.main()
