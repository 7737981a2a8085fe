#!/usr/bin/env python3
"""Makes a Windows Installer package's summary information reproducible.

    msi_summary.py PACKAGE PACKAGE_CODE EPOCH

wixl gives every package a random package code and its own build time as
the creation and last-save times. This writes PACKAGE_CODE ("{...}", the
same length as the code it replaces) and EPOCH (seconds since 1970, as in
SOURCE_DATE_EPOCH) in their place, in the package's own file. Exits 1 when
the package has no such properties.
"""

import struct
import sys

import olefile

STREAM = "\x05SummaryInformation"
PID_REVNUMBER = 9      # the package code, a string
PID_CREATE_DTM = 12    # a FILETIME
PID_LASTSAVE_DTM = 13  # a FILETIME
VT_LPSTR = 0x1E
VT_FILETIME = 0x40
SECONDS_1601_TO_1970 = 11644473600
HEADER_SIZE = 28  # byte order, version, system, class id, set count


def filetime(epoch):
    """Windows' FILETIME for a Unix time: 100 ns steps since 1601."""
    return (epoch + SECONDS_1601_TO_1970) * 10_000_000


def patched(data, package_code, epoch):
    """The property set `data` with the code and both times replaced."""
    out = bytearray(data)
    (section,) = struct.unpack_from("<I", data, HEADER_SIZE + 16)
    (count,) = struct.unpack_from("<I", data, section + 4)
    found = set()
    for i in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
        at = section + offset
        (kind,) = struct.unpack_from("<H", data, at)
        if pid == PID_REVNUMBER and kind == VT_LPSTR:
            (length,) = struct.unpack_from("<I", data, at + 4)
            text = package_code.encode("ascii") + b"\0"
            if len(text) != length:
                raise ValueError(f"the package code takes {length - 1} characters")
            out[at + 8:at + 8 + length] = text
            found.add(pid)
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
            struct.pack_into("<Q", out, at + 4, filetime(epoch))
            found.add(pid)
    missing = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM} - found
    if missing:
        raise ValueError(f"no summary properties {sorted(missing)}")
    return bytes(out)


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    package, package_code, epoch = argv[1], argv[2], int(argv[3])
    with olefile.OleFileIO(package, write_mode=True) as ole:
        data = ole.openstream(STREAM).read()
        try:
            ole.write_stream(STREAM, patched(data, package_code, epoch))
        except ValueError as error:
            print(f"msi_summary: {package}: {error}", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
