"""A local HTTP server for the transfer tests and the fetch benchmark (standard library only).

Run as a launcher, it starts the server on 127.0.0.1 at a free port, runs the given command with
KOLOROWISKO_TEST_HTTP_PORT set to that port, stops the server and exits with the command's status:

    loopback_http_server.py wine net_fetch_tests.exe --gtest_filter=...

Beside it the same server runs over TLS, once for each of the stand-in service's test
certificates (tools/service/tls: localhost, expired, wrong-name, untrusted), each on a port of its
own: KOLOROWISKO_TEST_TLS_PORTS lists them as "localhost=PORT expired=PORT ...".

Paths it answers (sizes in bytes):
    /body?size=N[&kind=K][&cut=C | &stall=C&key=KEY][&nolength=1][&trickle=MS]
        N bytes: a whole file of kind K (jpeg, png, bmp: its head, the byte pattern i % 251 as
        its data, which holds zero bytes and never 0xFF, and its end; raw, the default, is the
        pattern alone). With cut=C the connection closes after C of them; with stall=C the server
        sends C of them and then waits until KEY is released. Content-Length is N, unless
        nolength is given: then the body ends when the connection closes. With trickle=MS the
        server sends 4096 bytes at a time, MS milliseconds apart.
    /status?code=S          an HTML error page of several hundred bytes with status S
    /stall-headers?key=KEY  reads the request and sends nothing until KEY is released
    /hang-up                reads the request and closes the connection without an answer
    /redirect?to=PATH       302 to PATH on this server
    /agent                  the request's User-Agent as the body
    /release?key=KEY        ends the stalls of KEY, and those that come later (WinINet sends a
                            request again when a reused connection closes without an answer)
A stall ends by itself after MAX_STALL seconds, so that no test can hang on it.
"""
import os
import socket
import ssl
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path
from urllib.parse import parse_qs, urlsplit

MAX_STALL = 30
CERTIFICATES = Path(__file__).resolve().parents[2] / "tools" / "service" / "tls"
TLS_NAMES = ("localhost", "expired", "wrong-name", "untrusted")
PATTERN = bytes(i % 251 for i in range(251))
ERROR_PAGE = ("<!DOCTYPE html><html><head><title>{code} Error</title></head><body>"
              "<h1>{code} Error</h1><p>The requested address could not be served by this "
              "server. This page is long enough to be checked as an image and is plainly not "
              "one.</p></body></html>\n")


def whole_file(kind, size):
    """The head and the end of a file of this kind and size, around the pattern."""
    if kind == "jpeg":  # start of image, a scan without header, end of image
        head, tail = b"\xff\xd8\xff\xda\x00\x02", b"\xff\xd9"
    elif kind == "png":  # one IDAT chunk, then IEND (CRCs are not checked)
        head = b"\x89PNG\r\n\x1a\n" + max(size - 32, 0).to_bytes(4, "big") + b"IDAT"
        tail = b"\0\0\0\0" + b"\0\0\0\0IEND" + b"\0\0\0\0"
    elif kind == "bmp":
        head, tail = b"BM" + size.to_bytes(4, "little"), b""
    else:
        head, tail = b"", b""
    if size < len(head) + len(tail):
        return (head + tail)[:size]
    return head + pattern_bytes(len(head), size - len(head) - len(tail)) + tail


def pattern_bytes(start, count):
    """count bytes of the pattern from position start."""
    offset = start % len(PATTERN)
    repeats = (offset + count) // len(PATTERN) + 1
    return (PATTERN * repeats)[offset:offset + count]


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urlsplit(self.path)
        query = {key: values[0] for key, values in parse_qs(url.query).items()}
        route = {
            "/body": self.body,
            "/status": self.status,
            "/stall-headers": self.stall_headers,
            "/hang-up": self.hang_up,
            "/redirect": self.redirect,
            "/agent": self.agent,
            "/release": self.release,
        }.get(url.path)
        if route is None:
            self.reply(404, ERROR_PAGE.format(code=404).encode(), "text/html")
        else:
            route(query)

    def reply(self, code, data, content_type="application/octet-stream"):
        self.send_response(code)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def body(self, query):
        size = int(query.get("size", "0"))
        data = whole_file(query.get("kind", "raw"), size)
        limit = size
        if "cut" in query or "stall" in query:
            limit = int(query.get("cut", query.get("stall")))
        trickle = int(query.get("trickle", "0")) / 1000
        self.send_response(200)
        if "nolength" in query:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(size))
        self.end_headers()
        step = 4096 if trickle else 1 << 16
        for position in range(0, limit, step):
            self.wfile.write(data[position:min(position + step, limit)])
            if trickle:
                self.wfile.flush()
                time.sleep(trickle)
        self.wfile.flush()
        if "stall" in query:
            self.wait_for_release(query["key"])
        if "cut" in query or "stall" in query or "nolength" in query:
            self.hang_up(query)

    def status(self, query):
        code = int(query.get("code", "500"))
        self.reply(code, ERROR_PAGE.format(code=code).encode(), "text/html")

    def stall_headers(self, query):
        self.wait_for_release(query["key"])
        self.hang_up(query)

    def hang_up(self, query):
        self.close_connection = True
        self.connection.shutdown(socket.SHUT_RDWR)

    def redirect(self, query):
        self.send_response(302)
        self.send_header("Location", query["to"])
        self.send_header("Content-Length", "0")
        self.end_headers()

    def agent(self, query):
        self.reply(200, self.headers.get("User-Agent", "").encode(), "text/plain")

    def release(self, query):
        self.server.release(query["key"])
        self.reply(200, b"released", "text/plain")

    def wait_for_release(self, key):
        with self.server.stall_changed:
            self.server.stall_changed.wait_for(lambda: key in self.server.released,
                                               timeout=MAX_STALL)


class LoopbackServer(ThreadingHTTPServer):
    daemon_threads = True
    block_on_close = False

    def __init__(self, certificate=None):
        super().__init__(("127.0.0.1", 0), Handler)
        self.stall_changed = threading.Condition()
        self.released = set()
        self.tls = None
        if certificate:
            self.tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            self.tls.load_cert_chain(CERTIFICATES / f"{certificate}.pem",
                                     CERTIFICATES / f"{certificate}.key")

    def finish_request(self, request, client_address):
        if self.tls:
            # On the request's thread: a client that refuses the certificate ends only its own.
            try:
                request = self.tls.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return
        super().finish_request(request, client_address)

    @property
    def port(self):
        return self.server_address[1]

    def release(self, key):
        with self.stall_changed:
            self.released.add(key)
            self.stall_changed.notify_all()


def start_server(certificate=None):
    """A running LoopbackServer, over TLS with the certificate given; stop it with stop_server."""
    server = LoopbackServer(certificate)
    # A short poll interval lets the server stop at once when the test is over.
    threading.Thread(target=server.serve_forever, args=(0.05,), daemon=True).start()
    return server


def stop_server(server):
    server.shutdown()
    server.server_close()


def loopback_environment(port, tls_ports=None):
    """The environment for a program that must reach this server directly, never via a proxy."""
    env = {key: value for key, value in os.environ.items() if "proxy" not in key.lower()}
    env["KOLOROWISKO_TEST_HTTP_PORT"] = str(port)
    if tls_ports:
        env["KOLOROWISKO_TEST_TLS_PORTS"] = " ".join(f"{k}={v}" for k, v in tls_ports.items())
    return env


def main(command):
    servers = {name: start_server(name) for name in TLS_NAMES}
    servers[None] = start_server()
    try:
        tls_ports = {name: servers[name].port for name in TLS_NAMES}
        env = loopback_environment(servers[None].port, tls_ports)
        return subprocess.run(command, env=env).returncode
    finally:
        for server in servers.values():
            stop_server(server)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
