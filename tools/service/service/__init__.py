"""A stand-in for the Kolorowisko wallpaper service, for tests and local runs."""

from .faults import FAULTS
from .server import PortInUseError, StandInService

__all__ = ["FAULTS", "PortInUseError", "StandInService"]
