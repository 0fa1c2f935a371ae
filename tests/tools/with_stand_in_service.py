#!/usr/bin/python3
"""Runs a command with the stand-in wallpaper service listening on the build's two hosts.

    with_stand_in_service.py SERVICE_HOST REPORT_HOST command...

The hosts are the build's (127.0.0.1:PORT); a build for any other host would send the test to
the network, so the command is not run and the launcher fails.
"""
import subprocess
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools" / "service"))

from service.server import StandInService  # noqa: E402


def port_of(host):
    name, _, port = host.partition(":")
    if name != "127.0.0.1" or not port.isdigit():
        sys.exit(f"with_stand_in_service: {host} is not a loopback host of the stand-in")
    return int(port)


def main():
    service_host, report_host, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    with StandInService(port_of(service_host), port_of(report_host)):
        return subprocess.run(command).returncode


if __name__ == "__main__":
    sys.exit(main())
