"""A local HTTP server for the transfer tests and the fetch benchmark (standard library only).

Run as a launcher, it starts the server on 127.0.0.1 at a free port, runs the given command with
KOLOROWISKO_TEST_HTTP_PORT set to that port, stops the server and exits with the command's status:

    loopback_http_server.py wine net_fetch_tests.exe --gtest_filter=...

Paths it answers (sizes in bytes):
    /body?size=N[&kind=K][&cut=C | &stall=C&key=KEY]
        N bytes: K's signature (jpeg, png, bmp; none for raw, the default) followed by the byte
        pattern i % 251, so zero bytes occur inside. With cut=C the connection closes after C of
        them; with stall=C the server sends C of them and then waits until KEY is released.
        Content-Length is always N.
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
import subprocess
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

MAX_STALL = 30
SIGNATURES = {
    "raw": b"",
    "jpeg": b"\xff\xd8\xff\xe0",
    "png": b"\x89PNG\r\n\x1a\n",
    "bmp": b"BM",
}
PATTERN = bytes(i % 251 for i in range(251))
ERROR_PAGE = ("<!DOCTYPE html><html><head><title>{code} Error</title></head><body>"
              "<h1>{code} Error</h1><p>The requested address could not be served by this "
              "server. This page is long enough to be checked as an image and is plainly not "
              "one.</p></body></html>\n")


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
        head = SIGNATURES[query.get("kind", "raw")][:size]
        limit = size
        if "cut" in query or "stall" in query:
            limit = int(query.get("cut", query.get("stall")))
        self.send_response(200)
        self.send_header("Content-Length", str(size))
        self.end_headers()
        self.wfile.write(head[:limit])
        position = len(head)
        while position < limit:
            count = min(1 << 16, limit - position)
            self.wfile.write(pattern_bytes(position, count))
            position += count
        self.wfile.flush()
        if "stall" in query:
            self.wait_for_release(query["key"])
        if "cut" in query or "stall" in query:
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

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.stall_changed = threading.Condition()
        self.released = set()

    @property
    def port(self):
        return self.server_address[1]

    def release(self, key):
        with self.stall_changed:
            self.released.add(key)
            self.stall_changed.notify_all()


def start_server():
    """A running LoopbackServer; stop it with stop_server."""
    server = LoopbackServer()
    # A short poll interval lets the server stop at once when the test is over.
    threading.Thread(target=server.serve_forever, args=(0.05,), daemon=True).start()
    return server


def stop_server(server):
    server.shutdown()
    server.server_close()


def loopback_environment(port):
    """The environment for a program that must reach this server directly, never via a proxy."""
    env = {key: value for key, value in os.environ.items() if "proxy" not in key.lower()}
    env["KOLOROWISKO_TEST_HTTP_PORT"] = str(port)
    return env


def main(command):
    server = start_server()
    try:
        return subprocess.run(command, env=loopback_environment(server.port)).returncode
    finally:
        stop_server(server)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
