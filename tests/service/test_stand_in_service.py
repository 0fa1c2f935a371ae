"""Checks of the stand-in wallpaper service that the program's tests rely on."""

import http.client
import io
import json
import socket
import ssl
import sys
import tempfile
import threading
import unittest
import urllib.request
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "service"))

from service import PortInUseError, StandInService, parse_host  # noqa: E402
from service.imagebytes import pad_jpeg  # noqa: E402

SELECT = ("/program/wybierz_tapete_v2.php?user={user}&kod_user={code}&pokaz={pool}"
          "&x=1920&y=1080{extra}&losowa={n}")


def selection(pool="all", user="", code="", n=0, extra=""):
    return SELECT.format(pool=pool, user=user, code=code, n=n, extra=extra)


def tag(answer, name):
    """A tag's value the way the program reads it: first occurrence, up to the next "]"."""
    start = answer.find(f"[{name}:")
    if start < 0:
        return None
    start += len(name) + 2
    end = answer.find("]", start)
    return None if end < 0 else answer[start:end]


class ServiceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.log_path = Path(cls.folder.name) / "requests.jsonl"
        cls.service = StandInService(port=0, report_port=0, log_path=cls.log_path).start()

    @classmethod
    def tearDownClass(cls):
        cls.service.stop()
        cls.folder.cleanup()

    def setUp(self):
        self.service.reset()

    def get(self, target, port=None, method="GET"):
        connection = http.client.HTTPConnection("127.0.0.1", port or self.service.port, timeout=20)
        try:
            connection.request(method, target)
            response = connection.getresponse()
            return response.status, response.getheader("Content-Length"), response.read()
        finally:
            connection.close()

    def answer(self, target):
        return self.get(target)[2].decode("utf-8")

    def test_selection_draws_losowa_modulo_the_pool(self):
        cases = [  # (request, expected id)
            (selection(extra="&premiowane=tak", n=4), 12347),  # featured: 12345 12347 12350
            (selection(n=9), 12346),  # all eight
            (selection("ulubione_tap", "jan", n=2), 12351),
            (selection("ulubione_kat", "jan", "8c1f2e9a5b7d", n=1), 12349),
            (selection("dodane_tap", "%C5%81ucja", n=1), 12352),
            (selection("all", n=-1), 12352),
        ]
        for target, expected in cases:
            with self.subTest(target):
                answer = self.answer(target)
                self.assertEqual(tag(answer, "id"), str(expected))
                self.assertEqual(tag(answer, "zdjecie"),
                                 self.service.catalogue.by_id[expected].name)

    def test_selection_refusals(self):
        for target in (selection("ulubione_tap"), selection("ulubione_tap", "nikt"),
                       selection("dodane_tap", "jan", "zly-kod"), selection("ulubione_kat", "pusty"),
                       selection("wszystko")):
            with self.subTest(target):
                answer = self.answer(target)
                self.assertTrue(tag(answer, "error"), answer)
                self.assertIsNone(tag(answer, "id"))

    def test_images_by_name_and_by_id(self):
        expected = self.service.wallpaper_path(12351).read_bytes()
        self.assertEqual(self.get("/program//pobierz_jpeg_v2.php?zdjecie=zima-12351.jpg"),
                         (200, str(len(expected)), expected))
        self.assertEqual(self.get("/program/pobierz_jpeg.php?id=12351")[2], expected)
        self.assertEqual(self.get("/program/pobierz_jpeg.php?id=-7")[0], 404)
        self.assertEqual(self.get("/program/pobierz_jpeg.php?id=12351", method="HEAD"),
                         (200, str(len(expected)), b""))

    def test_log_keeps_each_request_as_sent(self):
        self.get("/program//pobierz_jpeg_v2.php?zdjecie=a%2Bb+c.jpg")
        self.get("/program/spr_link.php?change=ok&adres=YS9iK2M=", port=self.service.report_port)
        with socket.create_connection(("127.0.0.1", self.service.port)) as raw:
            raw.sendall(b"GET /program/logowanie.php?login=a b&haslo=x HTTP/1.1\r\n"
                        b"Host: h\r\nUser-Agent: kolorowisko app\r\nConnection: close\r\n\r\n")
            while raw.recv(4096):
                pass
        logged = [json.loads(line) for line in self.log_path.read_text("utf-8").splitlines()]
        self.assertEqual(logged, self.service.requests())
        self.assertEqual(
            [(e["role"], e["method"], e["path"], e["query"], e["kind"]) for e in logged],
            [("service", "GET", "/program//pobierz_jpeg_v2.php", "zdjecie=a%2Bb+c.jpg", "image"),
             ("report", "GET", "/program/spr_link.php", "change=ok&adres=YS9iK2M=", "report"),
             ("service", "GET", "/program/logowanie.php", "login=a b&haslo=x", "login")])
        self.assertEqual(logged[2]["headers"]["User-Agent"], "kolorowisko app")
        self.assertEqual(self.service.wait_for_request(role="report")["seq"], logged[1]["seq"])

    def test_login_and_report_answers(self):
        accepted = json.loads(self.answer(
            "/program/logowanie.php?login=%C5%81ucja&haslo=%C5%BC%C3%B3%C5%82%C4%872024"))
        self.assertEqual(accepted["logowanie"], True)
        self.assertEqual(accepted["autoryzacja"], "3e7d0a4c9f1b")
        self.assertEqual(json.loads(self.answer("/program/logowanie.php?login=jan&haslo=x")),
                         {"logowanie": False, "odp": "Błędny login lub hasło"})
        report = self.service.report_port
        self.assertEqual(self.get("/program/spr_link.php?change=error&adres=YWJj", report)[0], 200)
        self.assertEqual(self.get("/program/spr_link.php?change=maybe&adres=YWJj", report)[0], 400)

    def test_selection_faults(self):
        cases = {  # fault: (id, zdjecie, error) as the program reads them
            "error": ("12345", "12345.jpg", "Brak dostępu do tej puli"),
            "no_id": (None, "12345.jpg", None),
            "no_zdjecie": ("12345", None, None),
            "unterminated_id": (None, "12345.jpg", None),
            "unterminated_zdjecie": ("12345", None, None),
            "unterminated_error": ("12345", "12345.jpg", None),
            "reordered": ("12345", "12345.jpg", None),
        }
        for fault, expected in cases.items():
            with self.subTest(fault):
                self.service.set_fault(fault)
                answer = self.answer(selection())
                self.assertEqual(tuple(tag(answer, t) for t in ("id", "zdjecie", "error")),
                                 expected, answer)
                self.service.clear_faults()

    def test_answer_faults_and_their_scope(self):
        image = "/program/pobierz_jpeg.php?id=12345"
        original = self.service.wallpaper_path(12345).read_bytes()
        self.service.set_fault("body", text="[id:1][zdjecie:..\\x.jpg]")
        self.assertEqual(self.answer(selection()), "[id:1][zdjecie:..\\x.jpg]")
        self.assertEqual(self.get(image)[2], original)  # out of the fault's scope
        self.service.reset()
        self.service.set_fault("http_500", count=1)
        self.assertEqual(self.get("/user_jan")[0], 500)
        self.assertEqual(self.get("/user_jan")[0], 200)
        self.service.set_fault("empty", scope="login")
        login = "/program/logowanie.php?login=jan&haslo=tapeta123"
        self.assertEqual(self.get(login)[1:], ("0", b""))
        self.service.reset()
        self.service.set_fault("damaged", keep=100)
        damaged = self.get(image)[2]
        self.assertEqual((len(damaged), damaged[:100]), (len(original), original[:100]))
        self.assertNotEqual(damaged[100:], original[100:])
        self.service.set_fault("oversized")  # wins over damaged
        status, length, body = self.get("/files/small.png")
        self.assertEqual((status, length, body[:3]), (200, "10485761", b"\xff\xd8\xff"))
        self.service.set_fault("not_image")  # wins over oversized
        self.assertTrue(self.get(image)[2].startswith(b"<!DOCTYPE html>"))

    def test_control_request_sets_and_resets_faults(self):
        status, _, body = self.get("/__control?fault=slow_body&seconds=0.2&bytes=10&scope=file")
        self.assertEqual(json.loads(body)["faults"][0]["name"], "slow_body")
        self.assertEqual(self.get("/__control?fault=slow&scope=nowhere")[0], 400)
        self.assertEqual(self.get("/files/short.txt")[2][:10], b"To nie jes")
        self.assertEqual(json.loads(self.get("/__control?reset")[2]), {"faults": []})
        self.assertEqual([e["faults"] for e in self.service.requests()], [["slow_body"]])

    def test_static_files(self):
        sizes = {"limit.jpg": 10485760, "over-limit.jpg": 10485761, "short.txt": 100}
        for name, signature in {"big.png": b"\x89PNG\r\n\x1a\n", "limit.jpg": b"\xff\xd8\xff",
                                "over-limit.jpg": b"\xff\xd8\xff", "small.bmp": b"BM",
                                "page.html": b"<!DOCTYPE"}.items():
            with self.subTest(name):
                status, length, body = self.get(f"/files/{name}")
                self.assertEqual((status, length), (200, str(len(body))))
                self.assertTrue(body.startswith(signature))
                self.assertEqual(len(body), sizes.get(name, len(body)))
        self.assertGreater(len(self.get("/files/big.png")[2]), 2_000_000)


class PaddingTest(unittest.TestCase):
    def test_padded_jpeg_has_the_exact_size_and_still_decodes(self):
        from PIL import Image  # the service's generator needs it anyway
        with StandInService(port=0, report_port=0) as service:
            jpeg = service.file_path("small.jpg").read_bytes()
        for extra in (0, 1, 3, 4, 5, 65537, 65538, 65540, 65541, 131075):
            with self.subTest(extra):
                padded = pad_jpeg(jpeg, len(jpeg) + extra)
                self.assertEqual(len(padded), len(jpeg) + extra)
                image = Image.open(io.BytesIO(padded))
                image.load()
                self.assertEqual(image.size, (64, 48))


class TlsTest(unittest.TestCase):
    def test_tls_with_the_test_ca_beside_plain_http_and_refused_certificates(self):
        trusting = ssl.create_default_context(cafile=str(Path(__file__).resolve().parents[2] /
                                                         "tools" / "service" / "tls" / "ca.pem"))
        with StandInService.for_hosts("https://localhost:0", "https://localhost:0") as service:
            self.assertTrue(service.url("/").startswith("https://localhost:"))
            with urllib.request.urlopen(service.url("/"), context=trusting) as page:
                self.assertEqual(page.status, 200)
            with urllib.request.urlopen(f"http://127.0.0.1:{service.port}/") as page:
                self.assertEqual(page.status, 200)
            self.assertEqual([entry["tls"] for entry in service.requests()], [True, False])
            for certificate in ("expired", "wrong-name", "untrusted"):
                service.set_certificate(certificate)
                with self.subTest(certificate), self.assertRaisesRegex(
                        urllib.error.URLError, "CERTIFICATE_VERIFY_FAILED"):
                    urllib.request.urlopen(service.url("/"), context=trusting)

    def test_only_loopback_hosts_of_one_scheme_are_served(self):
        self.assertEqual(parse_host("127.0.0.1:8642"), ("http", "127.0.0.1", 8642))
        self.assertEqual(parse_host("https://localhost:1"), ("https", "localhost", 1))
        for hosts in (("https://127.0.0.1:1", "https://127.0.0.1:2"),
                      ("https://localhost:1", "http://localhost:2"),
                      ("www.kolorowisko.pl:80", "127.0.0.1:2"), ("https://localhost", "x:1")):
            with self.subTest(hosts), self.assertRaises(ValueError):
                StandInService.for_hosts(*hosts)


class LifecycleTest(unittest.TestCase):
    def test_stop_releases_a_held_request_and_the_port(self):
        service = StandInService(port=0, report_port=0).start()
        service.set_fault("slow", seconds=60)
        port = service.port
        outcome = []

        def client():
            try:
                connection = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
                connection.request("GET", "/")
                outcome.append(connection.getresponse().status)
            except (OSError, http.client.HTTPException) as error:
                outcome.append(type(error).__name__)

        thread = threading.Thread(target=client)
        thread.start()
        service.wait_for_request(path="/")
        service.stop()
        thread.join(10)
        self.assertFalse(thread.is_alive())
        self.assertNotEqual(outcome, [200])
        StandInService(port=port, report_port=0).start().stop()  # the port is free again

    def test_a_taken_port_is_refused_and_the_holder_keeps_its_log(self):
        with tempfile.TemporaryDirectory() as folder:
            log = Path(folder) / "requests.jsonl"
            with StandInService(port=0, report_port=0, log_path=log) as first:
                with urllib.request.urlopen(first.url("/")) as page:
                    page.read()
                second = StandInService(port=0, report_port=first.report_port, log_path=log)
                with self.assertRaisesRegex(PortInUseError, str(first.report_port)):
                    second.start()
                self.assertEqual(len(log.read_text().splitlines()), 1)


if __name__ == "__main__":
    unittest.main()
