"""What the service answers to each request path, before any fault."""

import base64
import binascii
import json
from urllib.parse import parse_qsl

from . import pages
from .catalogue import Refusal
from .reply import JPEG, JSON, Reply

SELECT_PATH = "/program/wybierz_tapete_v2.php"
# The program sends the doubled slash; the single one is what a web server would also accept.
IMAGE_BY_NAME_PATHS = ("/program//pobierz_jpeg_v2.php", "/program/pobierz_jpeg_v2.php")
IMAGE_BY_ID_PATH = "/program/pobierz_jpeg.php"
REPORT_PATH = "/program/spr_link.php"
LOGIN_PATH = "/program/logowanie.php"
FILES_PREFIX = "/files/"

KINDS = ("select", "image", "report", "login", "page", "file", "other")

# The selection answer's layouts; the faults of the same names pick the broken ones.
SELECTION_FORMS = {
    None: "[id:{id}][zdjecie:{name}]",
    "error": "[id:{id}][error:{text}][zdjecie:{name}]",
    "no_id": "[zdjecie:{name}]",
    "no_zdjecie": "[id:{id}]",
    "unterminated_id": "[zdjecie:{name}][id:{id}",
    "unterminated_zdjecie": "[id:{id}][zdjecie:{name}",
    "unterminated_error": "[id:{id}][zdjecie:{name}][error:{text}",
    "reordered": "Wylosowano [zdjecie:{name}] z puli, numer tapety: [id:{id}]. Miłego dnia!\n",
}

LOGIN_REFUSED = "Błędny login lub hasło"


def decoded_params(query):
    """The query's values decoded the way a PHP service reads them (percent escapes, "+")."""
    return dict(parse_qsl(query or "", keep_blank_values=True, encoding="utf-8",
                          errors="replace"))


def raw_params(query):
    """The query's values exactly as sent, for values whose "+" must stay a "+"."""
    pairs = (part.partition("=") for part in (query or "").split("&"))
    return {key: value for key, _, value in pairs}


def kind_of(path):
    if path == SELECT_PATH:
        return "select"
    if path in IMAGE_BY_NAME_PATHS or path == IMAGE_BY_ID_PATH:
        return "image"
    if path == REPORT_PATH:
        return "report"
    if path == LOGIN_PATH:
        return "login"
    if path.startswith(FILES_PREFIX):
        return "file"
    if pages.find(path):
        return "page"
    return "other"


class Answers:
    def __init__(self, catalogue, cache):
        self.catalogue = catalogue
        self.cache = cache

    def reply(self, kind, path, query, selection_form=None, text=""):
        """The answer to one request; selection_form (and the error text) change a selection."""
        params = decoded_params(query)
        if kind == "select":
            return Reply.text(self.selection(params, selection_form, text))
        if kind == "image":
            return self.image(path, params)
        if kind == "report":
            return self.report(raw_params(query))
        if kind == "login":
            return self.login(params)
        if kind == "file":
            return self.test_file(path[len(FILES_PREFIX):])
        if kind == "page":
            return pages.find(path)(self.catalogue, params)
        return pages.not_found()

    def selection(self, params, form=None, text=""):
        if form is None:
            try:
                chosen = self.catalogue.choose(params)
            except Refusal as refusal:
                return f"[error:{refusal}]"
        else:
            chosen = self.catalogue.choose_any(params)
        return SELECTION_FORMS[form].format(id=chosen.id, name=chosen.name, text=text)

    def image(self, path, params):
        if path == IMAGE_BY_ID_PATH:
            try:
                wallpaper = self.catalogue.by_id.get(int(params.get("id", "")))
            except ValueError:
                wallpaper = None
        else:
            wallpaper = self.catalogue.by_name.get(params.get("zdjecie", ""))
        if wallpaper is None:
            return pages.not_found("Nie ma takiej tapety")
        return Reply(200, JPEG, self.cache.wallpaper_path(wallpaper).read_bytes())

    def report(self, params):
        try:
            valid = (params.get("change") in ("ok", "error")
                     and base64.b64decode(params.get("adres", ""), validate=True) != b"")
        except binascii.Error:
            valid = False
        if not valid:
            return Reply.text("Błędne zgłoszenie\n", 400)
        return Reply.text("OK\n")

    def login(self, params):
        account = self.catalogue.accounts.get(params.get("login"))
        if account is None or params.get("haslo") != account.password:
            answer = {"logowanie": False, "odp": LOGIN_REFUSED}
        else:
            answer = {"logowanie": True, "autoryzacja": account.code,
                      "odp": f"Zalogowano jako {account.login}"}
        return Reply.text(json.dumps(answer, ensure_ascii=False), content_type=JSON)

    def test_file(self, name):
        try:
            path = self.cache.file_path(name)
        except KeyError:
            return pages.not_found("Nie ma takiego pliku")
        return Reply(200, self.cache.file_type(name), path.read_bytes())
