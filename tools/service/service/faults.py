"""Faults that tests switch on to make the service misbehave.

A fault has a name, parameters, a scope (the request kinds it hits) and an optional count of
requests after which it switches itself off. Several faults can be on at once: "slow" and
"slow_body" delay whatever answer goes out, a selection fault picks the selection's layout, and
of the faults that replace or change the answer the first in ANSWER_ORDER wins.
"""

import threading
from dataclasses import dataclass, field
from urllib.parse import parse_qsl

from . import imagebytes, pages
from .answers import KINDS, SELECTION_FORMS
from .reply import JPEG, TEXT, Reply


@dataclass(frozen=True)
class FaultKind:
    default_scope: frozenset
    params: dict = field(default_factory=dict)  # name -> (conversion, default)
    selection_only: bool = False


_SELECT = frozenset({"select"})
_ANY = frozenset({"any"})
_IMAGES = frozenset({"image", "file"})
_ERROR_TEXT = {"text": (str, "Brak dostępu do tej puli")}

FAULTS = {form: FaultKind(_SELECT, _ERROR_TEXT if "error" in form else {}, True)
          for form in SELECTION_FORMS if form}
FAULTS.update({
    "body": FaultKind(_SELECT, {"text": (str, ""), "status": (int, 200),
                                "content_type": (str, TEXT)}),
    "empty": FaultKind(_ANY),
    "to_http": FaultKind(_ANY),
    "http_500": FaultKind(_ANY),
    "slow": FaultKind(_ANY, {"seconds": (float, 5.0)}),
    "slow_body": FaultKind(_ANY, {"seconds": (float, 5.0), "bytes": (int, None)}),
    "not_image": FaultKind(_IMAGES),
    "oversized": FaultKind(_IMAGES, {"bytes": (int, imagebytes.LINK_LIMIT + 1)}),
    "damaged": FaultKind(_IMAGES, {"keep": (int, 64)}),
})

ANSWER_ORDER = ("to_http", "http_500", "empty", "body", "not_image", "oversized", "damaged")


@dataclass
class Fault:
    name: str
    scope: frozenset
    params: dict
    remaining: int = None  # None: until cleared

    def hits(self, kind):
        return "any" in self.scope or kind in self.scope

    def describe(self):
        return {"name": self.name, "scope": sorted(self.scope), "count": self.remaining,
                **self.params}


def make_fault(name, scope=None, count=None, **params):
    """Checks and converts a fault's settings; values may be given as text."""
    kind = FAULTS.get(name)
    if kind is None:
        raise ValueError(f"unknown fault {name!r}; known: {', '.join(sorted(FAULTS))}")
    unknown = set(params) - set(kind.params)
    if unknown:
        raise ValueError(f"fault {name!r} takes no {', '.join(sorted(unknown))}; "
                         f"it takes {', '.join(kind.params) or 'no parameters'}")
    values = {}
    for key, (convert, default) in kind.params.items():
        try:
            values[key] = convert(params[key]) if key in params else default
        except ValueError:
            raise ValueError(f"fault {name!r}: {key} must be {convert.__name__}, "
                             f"not {params[key]!r}") from None
    if scope is None:
        scope = kind.default_scope
    else:
        if kind.selection_only:
            raise ValueError(f"fault {name!r} changes selection answers only; it has no scope")
        if isinstance(scope, str):
            scope = scope.split(",")
        scope = frozenset(scope)
        bad = scope - set(KINDS) - {"any"}
        if bad or not scope:
            raise ValueError(f"bad scope {sorted(bad)}; use {', '.join(KINDS)} or any")
    count = None if count is None else int(count)
    if count is not None and count < 1:
        raise ValueError(f"fault {name!r}: count must be at least 1")
    return Fault(name, scope, values, count)


def parse_fault(text):
    """"NAME" or "NAME?key=value&..." (the --fault option) to make_fault's arguments."""
    name, _, query = text.partition("?")
    return name, dict(parse_qsl(query, keep_blank_values=True))


class FaultBoard:
    """The faults that are on; shared by all request threads."""

    def __init__(self):
        self._lock = threading.Lock()
        self._faults = {}

    def set(self, name, **settings):
        fault = make_fault(name, **settings)
        with self._lock:
            self._faults[name] = fault
        return fault

    def clear(self, name=None):
        with self._lock:
            if name is None:
                self._faults.clear()
            else:
                self._faults.pop(name, None)

    def describe(self):
        with self._lock:
            return [f.describe() for f in self._faults.values()]

    def take(self, kind):
        """The faults that hit a request of this kind, by name; counts one use of each."""
        taken = {}
        with self._lock:
            for name, fault in list(self._faults.items()):
                if not fault.hits(kind):
                    continue
                taken[name] = fault
                if fault.remaining is not None:
                    fault.remaining -= 1
                    if fault.remaining <= 0:
                        del self._faults[name]
        return taken


def selection_form(faults):
    """The selection layout and error text that the faults ask for (None: the normal one)."""
    for name, fault in faults.items():
        if FAULTS[name].selection_only:
            return name, fault.params.get("text", "")
    return None, ""


def change_answer(faults, reply, some_jpeg, plain_url):
    """Applies the answer fault that wins; some_jpeg() gives an image when the answer has none,
    plain_url is the request's own address over plain http."""
    name = next((n for n in ANSWER_ORDER if n in faults), None)
    if name is None:
        return reply
    params = faults[name].params
    if name == "to_http":
        return Reply(302, TEXT, b"", plain_url)
    if name == "http_500":
        return pages.server_error()
    if name == "empty":
        return Reply(200, reply.content_type, b"")
    if name == "body":
        return Reply.text(params["text"], params["status"], params["content_type"])
    if name == "not_image":
        return Reply(200, "text/html; charset=utf-8", pages.long_page())
    if name == "oversized":
        jpeg = reply.body if reply.body.startswith(b"\xff\xd8") else some_jpeg()
        return Reply(200, JPEG, imagebytes.pad_jpeg(jpeg, params["bytes"]))
    return Reply(reply.status, reply.content_type, imagebytes.damage(reply.body, params["keep"]))
