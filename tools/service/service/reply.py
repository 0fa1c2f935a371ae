"""One answer of the service, before faults change it."""

from dataclasses import dataclass

TEXT = "text/plain; charset=utf-8"
HTML = "text/html; charset=utf-8"
JSON = "application/json; charset=utf-8"
JPEG = "image/jpeg"


@dataclass
class Reply:
    status: int
    content_type: str
    body: bytes
    location: str = None  # a redirect's target

    @staticmethod
    def text(text, status=200, content_type=TEXT):
        return Reply(status, content_type, text.encode("utf-8"))
