"""The HTTP side: reads one request, logs it, applies the faults and sends the answer."""

import json
import ssl
import sys
import traceback
from http.server import BaseHTTPRequestHandler
from urllib.parse import parse_qsl

from . import faults as fault_rules
from .answers import kind_of
from .reply import JSON, Reply

CONTROL_PATH = "/__control"
LOG_PATH = "/__log"
_CONTROL_WORDS = ("fault", "reset", "clear")


def split_request_line(line):
    """(method, target, version) as raw bytes; the target may hold spaces, which clients should
    not send but a test must still see as they came."""
    line = line.rstrip(b"\r\n")
    method, _, rest = line.partition(b" ")
    target, _, version = rest.rpartition(b" ")
    if not version.startswith(b"HTTP/"):
        return method, rest, b""
    return method, target, version


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "KolorowiskoStandIn/1.0"
    timeout = 30  # an idle kept-alive connection is closed after this many seconds

    def parse_request(self):
        method, target, version = split_request_line(self.raw_requestline)
        self.raw_target = target
        if b" " in target:
            self.raw_requestline = b" ".join((method, target.replace(b" ", b"%20"), version))
        return super().parse_request()

    def do_GET(self):
        self._serve()

    def do_HEAD(self):
        self._serve()

    def do_POST(self):
        self.rfile.read(int(self.headers.get("Content-Length") or 0))
        self._serve()

    def version_string(self):
        return self.server_version

    def log_message(self, format, *args):
        pass  # the JSON log is the record

    def _serve(self):
        target = self.raw_target.decode("utf-8", "backslashreplace")
        path, mark, query = target.partition("?")
        try:
            if path in (CONTROL_PATH, LOG_PATH):
                self._send(self._control(path, query))
                return
            self._answer(target, path, query if mark else None)
        except ConnectionError:
            self.close_connection = True
        except Exception:
            traceback.print_exc(file=sys.stderr)
            self.close_connection = True

    def _answer(self, target, path, query):
        service = self.server.service
        kind = kind_of(path)
        faults = service.faults.take(kind)
        service.log.record(
            role=self.server.role, port=self.server.server_address[1], method=self.command,
            target=target, path=path, query=query, version=self.request_version, kind=kind,
            faults=sorted(faults), client="%s:%d" % self.client_address[:2],
            tls=isinstance(self.connection, ssl.SSLSocket),
            headers=dict(self.headers.items()))
        if "slow" in faults and not self._pause(faults["slow"].params["seconds"]):
            return
        form, text = fault_rules.selection_form(faults)
        reply = service.answers.reply(kind, path, query, form, text)
        # By address, not by name: Wine takes a redirect to the same name and port for one to
        # the same server and goes on over its TLS connection.
        plain = f"http://127.0.0.1:{self.server.server_address[1]}{target}"
        reply = fault_rules.change_answer(faults, reply, service.some_jpeg, plain)
        self._send(reply, faults.get("slow_body"))

    def _pause(self, seconds):
        """Waits; false when the service stops meanwhile, and then the connection is dropped."""
        if self.server.service.stopping.wait(seconds):
            self.close_connection = True
            return False
        return True

    def _send(self, reply, slow_body=None):
        self.send_response(reply.status)
        self.send_header("Content-Type", reply.content_type)
        self.send_header("Content-Length", str(len(reply.body)))
        if reply.location:
            self.send_header("Location", reply.location)
        self.end_headers()
        body = b"" if self.command == "HEAD" else reply.body
        if slow_body:
            split = slow_body.params["bytes"]
            split = len(body) // 2 if split is None else min(split, len(body))
            self.wfile.write(body[:split])
            self.wfile.flush()
            if not self._pause(slow_body.params["seconds"]):
                return
            body = body[split:]
        self.wfile.write(body)

    def _control(self, path, query):
        service = self.server.service
        params = dict(parse_qsl(query, keep_blank_values=True))
        if path == LOG_PATH:
            entries = service.log.entries()
            if "clear" in params:
                service.log.clear()
            lines = "".join(json.dumps(e, ensure_ascii=False) + "\n" for e in entries)
            return Reply.text(lines, content_type="application/x-ndjson; charset=utf-8")
        try:
            if "reset" in params:
                service.faults.clear()
            if "clear" in params:
                service.faults.clear(params["clear"])
            if "fault" in params:
                settings = {k: v for k, v in params.items() if k not in _CONTROL_WORDS}
                service.faults.set(params["fault"], **settings)
        except (ValueError, TypeError) as error:
            return Reply.text(json.dumps({"error": str(error)}, ensure_ascii=False), 400, JSON)
        return Reply.text(json.dumps({"faults": service.faults.describe()}, ensure_ascii=False),
                          content_type=JSON)
