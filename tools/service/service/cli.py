"""Command line of the stand-in service (the run script)."""

import argparse
import signal
import sys
import threading

from .cache import DEFAULT_CACHE
from .faults import parse_fault
from .server import PortInUseError, StandInService


def _arguments(argv):
    parser = argparse.ArgumentParser(
        prog="run", description="Stand-in Kolorowisko wallpaper service on 127.0.0.1.")
    parser.add_argument("--port", type=int, default=8642, help="service host port (8642)")
    parser.add_argument("--report-port", type=int, default=8643, help="report host port (8643)")
    parser.add_argument("--tls", action="store_true",
                        help="speak TLS too, as localhost with the test CA's certificate")
    parser.add_argument("--log", help="write every request to this file as JSON lines")
    parser.add_argument("--cache", default=DEFAULT_CACHE,
                        help="folder of the generated images (tools/service/.cache)")
    parser.add_argument("--fault", action="append", default=[], metavar="NAME[?key=value&...]",
                        help="switch a fault on from the start; may be repeated")
    parser.add_argument("--prepare-only", action="store_true",
                        help="generate the images into the cache and exit")
    return parser.parse_args(argv)


def main(argv=None):
    args = _arguments(argv)
    service = StandInService(args.port, args.report_port, args.log, args.cache,
                             certificate="localhost" if args.tls else None)
    if args.prepare_only:
        service.cache.prepare()
        print(f"stand-in service: images ready in {service.cache.root}")
        return 0
    try:
        for fault in args.fault:
            name, settings = parse_fault(fault)
            service.set_fault(name, **settings)
        service.start()
    except (ValueError, PortInUseError, RuntimeError) as error:
        print(f"stand-in service: {error}", file=sys.stderr)
        return 2
    stop = threading.Event()
    for signal_number in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signal_number, lambda *_: stop.set())
    print(f"stand-in service: service host {service.service_host}, "
          f"report host {service.report_host}", flush=True)
    stop.wait()
    service.stop()
    return 0
