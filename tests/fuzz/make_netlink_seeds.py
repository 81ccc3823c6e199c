#!/usr/bin/env python3
"""Writes the netlink fuzz target's seeds from kernel replies captured in netlink_captures/.

Each seed answers one provider function's requests in order (sequence numbers 1, 2, ...), in the
input format netlink_fuzz.cpp reads. Run it again after changing the captures or the format.
"""
import pathlib
import struct

HERE = pathlib.Path(__file__).resolve().parent
CAPTURES = HERE / "netlink_captures"
SEEDS = HERE / "corpus" / "qn_fuzz_netlink"

STAMP = 0x80
DONE = struct.pack("<IHHIIi", 20, 3, 2, 0, 0, 0)


def capture(name):
    return (CAPTURES / name).read_bytes()


def done(error=0):
    return struct.pack("<IHHIIi", 20, 3, 2, 0, 0, error)


def interrupted(data):
    """Marks every message of a reply as part of an interrupted dump (NLM_F_DUMP_INTR)."""
    out = bytearray(data)
    offset = 0
    while offset + 16 <= len(out):
        length, kind, flags = struct.unpack_from("<IHH", out, offset)
        struct.pack_into("<H", out, offset + 6, flags | 0x10)
        if length < 16:
            break
        offset += (length + 3) & ~3
    return bytes(out)


def seed(choice, datagrams):
    """datagrams: (sequence, bytes, extra KiB) triples."""
    out = bytearray([choice])
    for seq, data, kib in datagrams:
        out += bytes([STAMP | kib, seq]) + struct.pack("<H", len(data)) + data
    return bytes(out)


def dump(seq, reply, kib=0):
    return [(seq, reply, kib), (seq, DONE, 0)]


def main():
    links, more_links = capture("link0"), capture("link1")
    addrs, routes, neighs = capture("addr0"), capture("route0"), capture("neigh0")
    system = lambda first: dump(first, links) + dump(first + 1, addrs) + dump(first + 2, routes)
    seeds = {
        "interfaces": seed(0, dump(1, links) + dump(2, links + more_links)),
        "interfaces_interrupted": seed(0, dump(1, interrupted(links)) + dump(2, links) + dump(3, links)),
        "interfaces_cut": seed(0, [(1, links, 0), (1, done(-90), 0)] + dump(2, links) + dump(3, links)),
        "interfaces_large": seed(0, dump(1, links, 40) + dump(2, links, 40)),
        "adapters": seed(1, system(1) + system(4)),
        "addresses": seed(2, dump(1, links) + dump(2, addrs) + dump(3, links) + dump(4, addrs)),
        "arp": seed(3, [(1, neighs, 0), (2, neighs, 0)]),
        "row": seed(4 | 1 << 3, dump(1, links) + dump(2, links)),
        "best": seed(5, [(1, routes, 0)]),
        "adapter_addresses": seed(6, system(1) + system(4)),
        "params": seed(7, system(1) + system(4)),
        "refused": seed(0, [(1, struct.pack("<IHHIIi", 36, 2, 0, 0, 0, -1) + bytes(16), 0)]),
    }
    SEEDS.mkdir(parents=True, exist_ok=True)
    for name, data in seeds.items():
        (SEEDS / name).write_bytes(data)


if __name__ == "__main__":
    main()
