#!/usr/bin/env python3
"""Cross-checks the Windows build against the Linux one on the same kernel: in a private network
namespace with known interfaces, quarno-netdump.exe run under Wine (whose IP helper answers from this
kernel) and the Linux quarno-netdump must agree on every interface's index, hardware address, MTU,
operational state, IPv4 addresses and masks, on the best interface, and on the byte counters (the
Windows read may only be ahead by the traffic sent between the two reads). Where Wine's service
reports differently from Windows itself (names, descriptions, types, ...) the difference is printed,
not hidden. Needs root (for the namespace); without it the check is skipped (exit status 0).

Usage: tools/netdump/cross_check_wine.py LINUX_NETDUMP WINDOWS_NETDUMP_EXE
Environment: WINE (default /usr/lib/wine/wine64), WINEPREFIX (an initialised private prefix),
WINESERVER (default /usr/lib/wine/wineserver).
Exit status 1 on any disagreement.
"""
import ipaddress
import json
import os
import subprocess
import sys

if len(sys.argv) != 3:
    sys.exit(__doc__)
LINUX_NETDUMP, WINDOWS_NETDUMP = (os.path.abspath(p) for p in sys.argv[1:])
WINE = os.environ.get("WINE", "/usr/lib/wine/wine64")
WINESERVER = os.environ.get("WINESERVER", "/usr/lib/wine/wineserver")
NAMESPACE = f"qn-wine-{os.getpid()}"

# The test network: a veth pair that is up and carries traffic, with an interface alias, a second
# address and an address alias (labelled qnw0:1); a pair that is down; the default route through qnw0.
LINKS = {
    "qnw0": {"mac": "02:00:5e:00:0a:01", "mtu": 1400},
    "qnw1": {"mac": "02:00:5e:00:0a:02", "mtu": 1400},
    "qnw2": {"mac": "02:00:5e:00:0a:03", "mtu": 9000},
    "qnw3": {"mac": "02:00:5e:00:0a:04", "mtu": 9000},
}
SETUP = [
    "ip link set lo up",
    "ip link add qnw0 type veth peer name qnw1",
    "ip link add qnw2 type veth peer name qnw3",
    *[f"ip link set {name} address {link['mac']} mtu {link['mtu']}" for name, link in LINKS.items()],
    "ip link set qnw0 alias uplink",
    "ip addr add 10.77.0.1/24 dev qnw0",
    "ip addr add 10.77.128.1/17 dev qnw0",
    "ip addr add 10.78.0.1/16 dev qnw0 label qnw0:1",
    "ip addr add 10.77.0.2/24 dev qnw1",
    "ip addr add 192.168.77.3/28 dev qnw2",
    "ip link set qnw0 up",
    "ip link set qnw1 up",
    "ip route add default via 10.77.0.2 dev qnw0",
]
# Wine looks the label of an address alias up as an interface name, finds none and files the address
# under index 0: it is missing from its adapter, which Windows would list it under.
LABELLED_ALIAS = "10.78.0.1"
# An adapter without IPv4 addresses: Windows (and Wine) list 0.0.0.0, the Linux provider an empty line.
NO_ADDRESS = {"0.0.0.0=0.0.0.0": "="}
LOOPBACK_TYPE = 24
FRAMES, PAYLOAD = 200, 1000


def in_namespace(*command, **kwargs):
    return subprocess.run(["ip", "netns", "exec", NAMESPACE, *command], check=True, **kwargs)


def output_json(*command):
    return json.loads(in_namespace(*command, capture_output=True, text=True).stdout)


def wine_json(*args):
    env = dict(os.environ, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    done = in_namespace(WINE, WINDOWS_NETDUMP, *args, capture_output=True, text=True, env=env, timeout=120)
    return json.loads(done.stdout)


def send_frames():
    """Raw Ethernet frames out of qnw0 (qnw1 receives them); no IP, nothing leaves the namespace."""
    code = (
        "import socket\n"
        "s = socket.socket(socket.AF_PACKET, socket.SOCK_RAW)\n"
        "s.bind(('qnw0', 0))\n"
        f"frame = bytes.fromhex('ffffffffffff' + '02005e000a01' + '88b5') + b'Z' * {PAYLOAD}\n"
        f"for _ in range({FRAMES}): s.send(frame)\n"
    )
    in_namespace(sys.executable, "-c", code)


def stop_wineserver():
    subprocess.run([WINESERVER, "-k"], capture_output=True)
    subprocess.run([WINESERVER, "-w"], capture_output=True, timeout=60)


def main():
    if os.geteuid() != 0:
        print("skipped: a private network namespace needs root")
        return 0
    problems, differences = [], []
    # Wine's service runs in the wineserver's helper processes: they must start inside the namespace.
    stop_wineserver()
    subprocess.run(["ip", "netns", "add", NAMESPACE], check=True)
    try:
        for command in SETUP:
            in_namespace(*command.split())
        send_frames()
        # Order matters for the counters: ip, Linux, traffic, Windows, ip.
        before = {link["ifname"]: link for link in output_json("ip", "-j", "-s", "link")}
        linux = output_json(LINUX_NETDUMP)
        linux_traffic = {t["IntfIdx"]: t for t in output_json(LINUX_NETDUMP, "--traffic")}
        send_frames()
        windows = wine_json()
        windows_traffic = {t["IntfIdx"]: t for t in wine_json("--traffic")}
        after = {link["ifname"]: link for link in output_json("ip", "-j", "-s", "link")}
    finally:
        stop_wineserver()
        subprocess.run(["ip", "netns", "delete", NAMESPACE], capture_output=True)

    def check(where, what, mine, theirs):
        if mine != theirs:
            problems.append(f"{where}: {what}: Windows {mine!r}, Linux {theirs!r}")

    def note(where, what, mine, theirs):
        if mine != theirs:
            differences.append(f"{where}: {what}: Wine {mine!r}, Linux provider {theirs!r}")

    linux_adapters = {a["IntfIdx"]: a for a in linux["Adapters"]}
    windows_adapters = {a["IntfIdx"]: a for a in windows["Adapters"]}
    # Windows' adapter list never holds the loopback interface; the Linux provider's does.
    loopbacks = sorted(i for i, a in linux_adapters.items() if a["_Typ"] == LOOPBACK_TYPE)
    note("snapshot", "loopback adapters", sorted(set(loopbacks) & set(windows_adapters)), loopbacks)
    check("snapshot", "interface indexes", sorted(windows_adapters), sorted(set(linux_adapters) - set(loopbacks)))
    expected = {before[name]["ifindex"] for name in LINKS}
    if not expected <= set(linux_adapters):
        problems.append(f"the test links {sorted(expected)} are not all in the Linux snapshot")
    for index in sorted(set(linux_adapters) & set(windows_adapters)):
        mine, theirs = windows_adapters[index], linux_adapters[index]
        where = f"index {index} ({theirs['Name']})"
        for field in ("MACAddress", "MTU", "OperStatus", "_Status"):
            check(where, field, mine[field], theirs[field])
        addresses = [NO_ADDRESS.get(line, line) for line in mine["IPAddress"]]
        note(where, "IPAddress without IPv4", mine["IPAddress"], addresses)
        linux_addresses = theirs["IPAddress"]
        if not any(line.startswith(LABELLED_ALIAS + "=") for line in addresses):
            kept = [line for line in linux_addresses if not line.startswith(LABELLED_ALIAS + "=")]
            note(where, "IPAddress (the labelled alias)", addresses, linux_addresses)
            linux_addresses = kept or ["="]
        check(where, "IPAddress", addresses, linux_addresses)
        for field in ("Name", "Description", "Alias", "Typ", "_Typ", "AdminStatus", "MaxSpeed", "DHCPEnabled",
                      "DNSEnabled", "NETBIOSEnabled", "IPv4Enabled", "IPv6Enabled", "Gateways", "DHCPServers",
                      "DNSServers", "DNSSuffix", "_ImageIndex"):
            note(where, field, mine[field], theirs[field])
        low = linux_traffic.get(index, {})
        high = after.get(theirs["Name"], {}).get("stats64", {})
        for key, direction in (("In", "rx"), ("Out", "tx")):
            value, floor = windows_traffic.get(index, {}).get(key), low.get(key)
            ceiling = high.get(direction, {}).get("bytes")
            if value is None or floor is None or ceiling is None or not floor <= value <= ceiling:
                problems.append(f"{where}: {key} bytes: Windows {value}, outside Linux {floor} .. ip {ceiling}")

    # The known network, as both must see it.
    by_name = {a["Name"]: a for a in linux["Adapters"]}
    for name, link in LINKS.items():
        adapter = by_name.get(name)
        if not adapter:
            problems.append(f"{name}: missing from the Linux snapshot")
            continue
        for what, seen, wanted in (("MAC", adapter["MACAddress"], link["mac"].upper()),
                                   ("MTU", adapter["MTU"], link["mtu"])):
            if seen != wanted:
                problems.append(f"{name}: {what}: Linux {seen!r}, set up as {wanted!r}")
    if "qnw0" in by_name:
        masks = [f"{a}={ipaddress.IPv4Network('0.0.0.0/' + p).netmask}" for a, p in
                 (("10.77.0.1", "24"), ("10.77.128.1", "17"), (LABELLED_ALIAS, "16"))]
        if sorted(by_name["qnw0"]["IPAddress"]) != sorted(masks):
            problems.append(f"qnw0: addresses: Linux {by_name['qnw0']['IPAddress']}, set up as {masks}")
        moved = windows_traffic.get(by_name["qnw0"]["IntfIdx"], {}).get("Out", 0) - \
            linux_traffic.get(by_name["qnw0"]["IntfIdx"], {}).get("Out", 0)
        if moved < FRAMES * PAYLOAD:
            problems.append(f"qnw0: the frames sent between the reads are missing from Windows' count ({moved})")
    # The address table: every address with its mask and interface.
    def table(snapshot):
        return sorted((a["IP"], a["Mask"], a["IntfIdx"]) for a in snapshot["FAT"])

    linux_table, windows_table = table(linux), table(windows)
    wine_alias = [row for row in windows_table if row[0] == LABELLED_ALIAS and row[2] == 0]
    note("address table", "the labelled alias", wine_alias,
         [row for row in linux_table if row[0] == LABELLED_ALIAS])
    check("address table", "addresses, masks and indexes",
          [row for row in windows_table if row not in wine_alias],
          [row for row in linux_table if not (wine_alias and row[0] == LABELLED_ALIAS)])
    note("snapshot", "ARP rows", len(windows["FARP"]), len(linux["FARP"]))
    check("snapshot", "best interface", windows["BestInterfaceIdx"], linux["BestInterfaceIdx"])
    if linux["BestInterfaceIdx"] != before["qnw0"]["ifindex"]:
        problems.append(f"best interface: Linux {linux['BestInterfaceIdx']}, the default route's qnw0 is "
                        f"{before['qnw0']['ifindex']}")
    note("snapshot", "HostName", windows["HostName"], linux["HostName"])
    note("snapshot", "NodeType", windows["NodeType"], linux["NodeType"])
    note("snapshot", "interface map (FIL)", windows["FIL"], linux["FIL"])

    # What Windows itself would say differently from Wine, as far as the output shows it.
    unlike_windows = []
    for index, adapter in sorted(windows_adapters.items()):
        link = linux_adapters.get(index, {}).get("Name")
        if adapter["Name"] == link:
            unlike_windows.append(f"index {index}: Name (the interface row's description) is the link name "
                                  f"{link!r}; Windows gives the adapter's description from its driver")
        if adapter["Description"] == link:
            unlike_windows.append(f"index {index}: Description (the adapter information's) is the link name; "
                                  "Windows gives the driver's description")
        if adapter["Alias"] == link:
            unlike_windows.append(f"index {index}: Alias is the link name, not the interface alias; Windows "
                                  "gives the connection's friendly name")
        if adapter["_Typ"] == 6 and link in LINKS:
            unlike_windows.append(f"index {index}: a veth link is typed Ethernet (6), as by the Linux "
                                  "provider; Windows has no such link")
    for line in differences:
        print("difference of Wine's service:", line)
    for line in unlike_windows:
        print("unlike Windows:", line)
    for line in problems:
        print("DISAGREEMENT:", line)
    print(f"{len(linux_adapters)} interfaces compared (index, MAC, MTU, operational state, IPv4 addresses "
          f"and masks, byte counters) and the best interface; {len(differences)} stated differences from the "
          f"Linux provider, {len(unlike_windows)} from Windows, "
          f"{len(problems)} disagreements")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
