#!/usr/bin/env python3
"""Writes the sock_diag fuzz target's seeds from a kernel reply captured in netlink_captures/.

sockdiag_tcp0 is one datagram of a TCP dump (SOCK_DIAG_BY_FAMILY with the TCP info record and the
cgroup id) taken with capture_sock_diag() below. Each seed answers the table's four dumps in order
(sequence numbers 1 to 4). Run it again after changing the capture or the format.
"""
import pathlib
import socket
import struct
import sys

HERE = pathlib.Path(__file__).resolve().parent
CAPTURES = HERE / "netlink_captures"
SEEDS = HERE / "corpus" / "qn_fuzz_sock_diag"


def done(error=0):
    return struct.pack("<IHHIIi", 20, 3, 2, 0, 0, error)


def capture_sock_diag():
    """One TCP dump of this namespace with INET_DIAG_INFO requested (needs open TCP sockets)."""
    s = socket.socket(socket.AF_NETLINK, socket.SOCK_RAW, 4)  # NETLINK_SOCK_DIAG
    req = struct.pack("<BBBBI", socket.AF_INET, socket.IPPROTO_TCP, 1 << 1, 0, 0xFFFFFFFF & ~(1 << 10)) + bytes(48)
    s.send(struct.pack("<IHHII", 16 + len(req), 20, 0x301, 1, 0) + req)
    return s.recv(65536)


def record(seq, data):
    return bytes([seq]) + struct.pack("<H", len(data)) + data


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--capture":
        (CAPTURES / "sockdiag_tcp0").write_bytes(capture_sock_diag())
    tcp = (CAPTURES / "sockdiag_tcp0").read_bytes()
    seeds = {
        "table": record(1, tcp) + record(1, done()) + b"".join(record(s, done()) for s in (2, 3, 4)),
        "cut": record(1, tcp) + record(1, done(-105)) + record(1, tcp) + record(1, done())
        + b"".join(record(s, done()) for s in (2, 3, 4)),
        "no_ipv6": record(1, tcp) + record(1, done()) + record(2, done(-2)) + record(3, done()) + record(4, done()),
    }
    SEEDS.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (SEEDS / name).write_bytes(data)


if __name__ == "__main__":
    main()
