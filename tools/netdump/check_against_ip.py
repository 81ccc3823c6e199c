#!/usr/bin/env python3
"""Compares quarno-netdump with what iproute2 reports on this machine: for every link its index, MTU,
hardware address, alias, IPv4 addresses and byte counters (which may only have grown between the two
reads), and the interface that reaches 8.8.8.8. Exit status 1 on any disagreement.

Usage: tools/netdump/check_against_ip.py [path/to/quarno-netdump]
"""
import ipaddress
import json
import subprocess
import sys

netdump = sys.argv[1] if len(sys.argv) > 1 else "build/bin/quarno-netdump"


def run_json(*command):
    return json.loads(subprocess.check_output(command))


before = run_json("ip", "-j", "-s", "link")
snapshot = run_json(netdump)
traffic = {t["Name"]: t for t in run_json(netdump, "--traffic")}
after = {link["ifname"]: link for link in run_json("ip", "-j", "-s", "link")}
addresses = {entry["ifname"]: entry for entry in run_json("ip", "-j", "addr")}
adapters = {a["Name"]: a for a in snapshot["Adapters"]}
problems = []


def check(name, what, mine, theirs):
    if mine != theirs:
        problems.append(f"{name}: {what}: quarno-netdump {mine!r}, ip {theirs!r}")


for link in before:
    name = link["ifname"]
    adapter = adapters.get(name)
    if adapter is None:
        problems.append(f"{name}: missing from quarno-netdump")
        continue
    check(name, "index", adapter["IntfIdx"], link["ifindex"])
    check(name, "MTU", adapter["MTU"], link["mtu"])
    check(name, "hardware address", adapter["MACAddress"], link.get("address", "").upper()
          if link.get("link_type") not in ("none",) else "")
    alias = link.get("ifalias") or (link.get("altnames") or [""])[0]
    check(name, "alias", adapter["Alias"], alias)
    inet = [a for a in addresses.get(name, {}).get("addr_info", []) if a["family"] == "inet"]
    expected = [a["local"] + "=" + str(ipaddress.IPv4Network("0.0.0.0/%d" % a["prefixlen"]).netmask) for a in inet]
    check(name, "IPv4 addresses", adapter["IPAddress"], expected or ["="])
    status_up = adapter["_Status"] >= 4
    ip_up = link["operstate"] == "UP" or (link["operstate"] == "UNKNOWN" and "LOWER_UP" in link["flags"] and "UP" in link["flags"])
    check(name, "operational", status_up, ip_up)
    if "stats64" in link and name in after:
        for direction, key in (("rx", "In"), ("tx", "Out")):
            low, high = link["stats64"][direction]["bytes"], after[name]["stats64"][direction]["bytes"]
            value = traffic[name][key]
            if not low <= value <= high:
                problems.append(f"{name}: {direction} bytes {value} outside ip's {low}..{high}")

route = subprocess.run(["ip", "-j", "route", "get", "8.8.8.8"], capture_output=True, text=True)
best = 0
if route.returncode == 0:
    best = after.get(json.loads(route.stdout)[0]["dev"], {}).get("ifindex", 0)
check("8.8.8.8", "best interface", snapshot["BestInterfaceIdx"], best)

for problem in problems:
    print(problem)
print(f"{len(before)} interfaces compared, {len(problems)} disagreements")
sys.exit(1 if problems else 0)
