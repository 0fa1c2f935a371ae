#!/usr/bin/python3
"""Runs a command with the stand-in wallpaper service listening on the build's two hosts.

    with_stand_in_service.py SERVICE_HOST REPORT_HOST command...

The hosts are the build's ([https:// or http://]localhost:PORT, or 127.0.0.1:PORT over http); a
build for any other host would send the test to the network, so the command is not run and the
launcher fails.
"""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "service"))

from service.server import StandInService  # noqa: E402


def main():
    service_host, report_host, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    try:
        service = StandInService.for_hosts(service_host, report_host)
    except ValueError as error:
        sys.exit(f"with_stand_in_service: {error}")
    with service:
        return subprocess.run(command).returncode


if __name__ == "__main__":
    sys.exit(main())
