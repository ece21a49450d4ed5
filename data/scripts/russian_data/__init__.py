"""Builds the installed Russian linguistic data from the hand-written sources
and two Debian packages."""
