"""A stand-in for the Kolorowisko wallpaper service, for tests and local runs."""

from .faults import FAULTS
from .server import CERTIFICATE_NAMES, PortInUseError, StandInService, parse_host

__all__ = ["CERTIFICATE_NAMES", "FAULTS", "PortInUseError", "StandInService", "parse_host"]
