"""StandInService: the service host and the report host on two loopback ports, in one object,
over plain HTTP or over TLS with the test certificates of tools/service/tls."""

import errno
import socket
import socketserver
import ssl
import threading
from http.server import ThreadingHTTPServer
from pathlib import Path

from .answers import Answers
from .cache import DEFAULT_CACHE, Cache
from .catalogue import DEFAULT_CATALOGUE, Catalogue
from .faults import FaultBoard
from .handler import Handler
from .requestlog import RequestLog

HOST = "127.0.0.1"
# The name a client over TLS must use: Wine matches no certificate's IP-address name.
TLS_HOST = "localhost"
ROLES = ("service", "report")
CERTIFICATES = Path(__file__).resolve().parents[1] / "tls"
# The test certificates: one the test CA gave for localhost, and three a client must refuse.
CERTIFICATE_NAMES = ("localhost", "expired", "wrong-name", "untrusted")
TLS_HANDSHAKE = b"\x16"  # the first byte of a TLS connection


def parse_host(setting):
    """(scheme, name, port) of a build's host setting: "https://name:port", "http://name:port" or
    a bare "name:port", which is http."""
    scheme, separator, rest = setting.partition("://")
    if not separator:
        scheme, rest = "http", setting
    name, _, port = rest.rpartition(":")
    if scheme not in ("http", "https") or not name or not port.isdigit():
        raise ValueError(f"{setting!r} is not [https:// or http://]host:port")
    return scheme, name, int(port)


def tls_context(certificate):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(CERTIFICATES / f"{certificate}.pem", CERTIFICATES / f"{certificate}.key")
    return context


class PortInUseError(OSError):
    pass


class _Listener(ThreadingHTTPServer):
    """One port. Request threads are joined on close, and open connections can be cut so that
    closing does not wait for idle kept-alive clients."""

    daemon_threads = False
    request_queue_size = 64  # tests fire bursts of parallel requests

    def __init__(self, port, role, service):
        self.role = role
        self.service = service
        self._connections = set()
        self._connections_lock = threading.Lock()
        super().__init__((HOST, port), Handler)

    def server_bind(self):
        # HTTPServer would look the address up in DNS for a name nobody here uses.
        socketserver.TCPServer.server_bind(self)
        self.server_name, self.server_port = self.server_address[:2]

    def finish_request(self, request, client_address):
        # A TLS service answers plain HTTP on the same port too, as links of either scheme and
        # a redirect between them need. On the request's own thread: a client that refuses the
        # certificate ends only its connection.
        tls = self.service.tls
        try:
            if tls and request.recv(1, socket.MSG_PEEK) == TLS_HANDSHAKE:
                request = tls.wrap_socket(request, server_side=True)
        except (ssl.SSLError, OSError):
            return
        super().finish_request(request, client_address)

    def process_request(self, request, client_address):
        with self._connections_lock:
            self._connections.add(request)
        super().process_request(request, client_address)

    def shutdown_request(self, request):
        with self._connections_lock:
            self._connections.discard(request)
        super().shutdown_request(request)

    def cut_connections(self):
        with self._connections_lock:
            for connection in self._connections:
                try:
                    connection.shutdown(socket.SHUT_RDWR)
                except OSError:
                    pass

    def handle_error(self, request, client_address):
        pass  # clients that hang up are normal in fault tests; answer errors are printed


class StandInService:
    """The wallpaper service for tests. Ports 0 pick free ports (see .port and .report_port).
    With certificate (one of CERTIFICATE_NAMES) both hosts speak TLS, and plain HTTP as well."""

    def __init__(self, port=8642, report_port=8643, log_path=None, cache_dir=DEFAULT_CACHE,
                 catalogue_path=DEFAULT_CATALOGUE, certificate=None):
        self.catalogue = Catalogue(catalogue_path)
        self.cache = Cache(self.catalogue, cache_dir)
        self.answers = Answers(self.catalogue, self.cache)
        self.faults = FaultBoard()
        self.stopping = threading.Event()
        self.log = None
        self._wanted_ports = {"service": port, "report": report_port}
        self._log_path = log_path
        self._listeners = {}
        self._threads = []
        self.tls = tls_context(certificate) if certificate else None

    @classmethod
    def for_hosts(cls, service_setting, report_setting, **settings):
        """The service for a build's two host settings, which must both be loopback hosts of one
        scheme: a build for any other host would send a test to the network."""
        hosts = [parse_host(setting) for setting in (service_setting, report_setting)]
        scheme = hosts[0][0]
        loopback = (TLS_HOST,) if scheme == "https" else (HOST, TLS_HOST)
        if any(host[0] != scheme or host[1] not in loopback for host in hosts):
            raise ValueError(f"{service_setting} and {report_setting} are not loopback hosts of "
                             f"the stand-in (over https only as {TLS_HOST})")
        return cls(hosts[0][2], hosts[1][2], certificate="localhost" if scheme == "https" else None,
                   **settings)

    def set_certificate(self, certificate):
        """Connections from now on get this certificate (one of CERTIFICATE_NAMES)."""
        if not self.tls:
            raise ValueError("the service speaks plain HTTP")
        self.tls = tls_context(certificate)

    # Life

    def start(self):
        self.cache.prepare()
        self.stopping.clear()
        try:
            for role in ROLES:
                self._listeners[role] = self._listen(role)
            # Only now: a start that finds its port taken must not empty the other's log.
            self.log = RequestLog(self._log_path)
        except BaseException:
            self._close_listeners()
            raise
        for role, listener in self._listeners.items():
            thread = threading.Thread(target=listener.serve_forever, args=(0.1,),
                                      name=f"stand-in {role}", daemon=True)
            thread.start()
            self._threads.append(thread)
        return self

    def _listen(self, role):
        port = self._wanted_ports[role]
        try:
            return _Listener(port, role, self)
        except OSError as error:
            if error.errno != errno.EADDRINUSE:
                raise
            raise PortInUseError(
                f"cannot listen on {HOST}:{port} for the {role} host: the port is "
                f"already in use (another stand-in service still running?). Stop that program "
                f"or choose another port.") from None

    def stop(self):
        self.stopping.set()  # wakes the requests that a fault holds back
        for listener in self._listeners.values():
            listener.shutdown()
        self._close_listeners()
        for thread in self._threads:
            thread.join()
        self._threads.clear()
        if self.log:
            self.log.close()

    def _close_listeners(self):
        for listener in self._listeners.values():
            listener.cut_connections()
            listener.server_close()
        self._listeners.clear()

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # Addresses

    @property
    def port(self):
        return self._listeners["service"].server_address[1]

    @property
    def report_port(self):
        return self._listeners["report"].server_address[1]

    @property
    def scheme(self):
        return "https" if self.tls else "http"

    @property
    def service_host(self):
        return f"{self.scheme}://{TLS_HOST if self.tls else HOST}:{self.port}"

    @property
    def report_host(self):
        return f"{self.scheme}://{TLS_HOST if self.tls else HOST}:{self.report_port}"

    def url(self, target, role="service"):
        return (self.service_host if role == "service" else self.report_host) + target

    def file_url(self, name):
        self.cache.file_path(name)  # fails for an unknown name
        return self.url(f"/files/{name}")

    def file_path(self, name):
        return self.cache.file_path(name)

    def wallpaper_path(self, wallpaper_id):
        return self.cache.wallpaper_path(self.catalogue.by_id[wallpaper_id])

    def some_jpeg(self):
        return self.cache.wallpaper_path(self.catalogue.wallpapers[0]).read_bytes()

    # Requests and faults

    def requests(self, **match):
        """The logged requests whose fields equal the given values, e.g. kind="select"."""
        return [e for e in self.log.entries() if _matches(e, match)]

    def wait_for_request(self, timeout=10.0, **match):
        entry = self.log.wait_for(lambda e: _matches(e, match), timeout)
        if entry is None:
            raise TimeoutError(f"no request with {match} within {timeout} s")
        return entry

    def clear_log(self):
        self.log.clear()

    def set_fault(self, name, **settings):
        """Switches a fault on: settings are its parameters, scope and count."""
        return self.faults.set(name, **settings)

    def clear_faults(self, name=None):
        self.faults.clear(name)

    def reset(self):
        self.faults.clear()
        self.log.clear()


def _matches(entry, match):
    return all(entry.get(key) == value for key, value in match.items())
