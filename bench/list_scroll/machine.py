#!/usr/bin/env python3
"""Writes a large made-up machine for the scroll bench: OUT/drivers.reg, a device class database
of COUNT driver instances (default 5000) with distinct descriptions, so that "Scan all drivers"
lists each of them once (plus Wine's own display adapter).

    python3 bench/list_scroll/machine.py OUT [COUNT]

The instances are spread over class keys of 100 instances each, as instance keys have at most
four characters. A quarter of them are the system's own ("Microsoft"), so the recommended scan at
start-up lists the other three quarters. The output is deterministic and never committed.
"""
import os
import sys

CLASS_ROOT = r"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class"
PER_CLASS = 100
VENDORS = ["Veltra Networks", "Korvo Audio", "Sorrel Storage", "Orrin Input", "Halden Printworks",
           "Quillon Imaging", "Marlowe Systems", "Bluefen Wireless", "Tessaly Graphics"]
KINDS = ["Ethernet Adapter", "HD Audio Device", "NVMe Controller", "Precision Mouse",
         "Photo Printer", "Document Scanner", "Chipset Interface", "Wireless Radio",
         "Display Adapter", "Serial Port", "Card Reader", "Sensor Hub"]


def reg_string(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def class_guid(n):
    # Outside the registered classes' numbers, so that no real class key is merged into.
    return "{d7a5%04x-0b1e-4c3a-9e55-5c0a11ab1e00}" % n


def render(count):
    out = ["Windows Registry Editor Version 5.00", "",
           "; A large made-up machine for the list scroll bench (fictional vendors).", ""]
    for n in range((count + PER_CLASS - 1) // PER_CLASS):
        guid = class_guid(n)
        out += ["[%s\\%s]" % (CLASS_ROOT, guid), "@=" + reg_string("Bench device class %d" % n),
                '"Class"="Bench%d"' % n, ""]
        for i in range(min(PER_CLASS, count - n * PER_CLASS)):
            serial = n * PER_CLASS + i
            vendor = VENDORS[serial % len(VENDORS)]
            provider = "Microsoft" if serial % 4 == 3 else vendor
            desc = "%s %s %05d" % (vendor.split()[0], KINDS[serial % len(KINDS)], serial)
            out += ["[%s\\%s\\%04d]" % (CLASS_ROOT, guid, i),
                    '"DriverDesc"=' + reg_string(desc),
                    '"ProviderName"=' + reg_string(provider),
                    '"InfPath"="oem%d.inf"' % (serial % 90 + 5),
                    '"DriverDate"="6-21-2024"', '"DriverVersion"="1.0.%d.0"' % serial, ""]
    return "\r\n".join(out).encode("ascii")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 5000
    os.makedirs(out, exist_ok=True)
    data = render(count)
    path = os.path.join(out, "drivers.reg")
    # Written only when it changes: the prefix imports the machine again on every change.
    if not os.path.exists(path) or open(path, "rb").read() != data:
        with open(path, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
