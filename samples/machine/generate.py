#!/usr/bin/env python3
"""Writes the sample machine: drivers.reg and the windows/ tree beside this script.

    python3 samples/machine/generate.py            # rewrite drivers.reg and windows/
    python3 samples/machine/generate.py --expect   # print the expected scan rows (Markdown)

Everything here is invented: vendors, devices, INF files and the dummy driver files. The output
is deterministic, so regenerating without changing this script gives byte-identical files.
"""
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
CLASS_ROOT = r"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\Class"

# Class keys: GUID, description (default value, None for none), "Class" value.
CLASSES = {
    "usb": ("{36fc9e60-c465-11cf-8056-444553540000}", "Universal Serial Bus controllers", "USB"),
    "disk": ("{4d36e967-e325-11ce-bfc1-08002be10318}", "Disk drives", "DiskDrive"),
    "keyboard": ("{4d36e96b-e325-11ce-bfc1-08002be10318}", "Keyboards", "Keyboard"),
    "media": ("{4d36e96c-e325-11ce-bfc1-08002be10318}", "Sound, video and game controllers", "MEDIA"),
    "modem": ("{4d36e96d-e325-11ce-bfc1-08002be10318}", "Modems", "Modem"),
    "mouse": ("{4d36e96f-e325-11ce-bfc1-08002be10318}", "Mice and other pointing devices", "Mouse"),
    "net": ("{4d36e972-e325-11ce-bfc1-08002be10318}", "Network adapters", "Net"),
    "ports": ("{4d36e978-e325-11ce-bfc1-08002be10318}", "Ports (COM & LPT)", "Ports"),
    "printer": ("{4d36e979-e325-11ce-bfc1-08002be10318}", "Printers", "Printer"),
    "scsi": ("{4d36e97b-e325-11ce-bfc1-08002be10318}", "Storage controllers", "SCSIAdapter"),
    "system": ("{4d36e97d-e325-11ce-bfc1-08002be10318}", "System devices", "System"),
    "image": ("{6bdd1fc6-810f-11d0-bec7-08002be2092f}", "Imaging devices", "Image"),
    "hid": ("{745a17a0-74d3-11d0-b6fe-00a0c90f57da}", "Human Interface Devices", "HIDClass"),
    # Deliberately without a description: its rows show an empty Type.
    "bluetooth": ("{e0cbf06c-cd8b-4647-bb8a-263b43f0f974}", None, "Bluetooth"),
    "extension": ("{e2f84ce7-8efa-411c-aa69-97454ca4cb57}", "Extensions", "Extension"),
}

# Class keys that Wine owns. Wine empties the Display and Monitor class keys and writes them
# anew (without a description) each time its display starts, so anything imported there is
# lost; the graphics vendor's drivers therefore live in the Extension class.
WINE_CLASSES = {
    "display": ("{4D36E968-E325-11CE-BFC1-08002BE10318}", None, "Display"),
    "monitor": ("{4D36E96E-E325-11CE-BFC1-08002BE10318}", None, "Monitor"),
}

# Instance keys Wine writes into every prefix by itself. Our instances leave Wine's
# System\0000-0001 and HIDClass\0000-0003 alone, so that importing never merges into them.
WINE_OWN = [
    ("display", "0000", {"DriverDesc": "Wine Adapter"}),
    ("monitor", "0000", {}),
    ("system", "0000", {"InfPath": "winebus.inf"}),
    ("system", "0001", {"InfPath": "wineusb.inf"}),
    ("hid", "0000", {"InfPath": "winehid.inf"}),
    ("hid", "0001", {"InfPath": "winehid.inf"}),
    ("hid", "0002", {"InfPath": "input.inf"}),
    ("hid", "0003", {"InfPath": "input.inf"}),
]

OMIT = object()  # marks a value the instance key does not have


class Num:
    """A REG_DWORD value, which the program must read as a missing text value."""

    def __init__(self, n):
        self.n = n



def drv(cls, inst, desc, provider, inf, date="6-21-2024", version="10.0.1.0", section=None,
        device_id=None):
    values = {"DriverDesc": desc, "ProviderName": provider, "DriverDate": date,
              "DriverVersion": version, "InfPath": inf,
              "InfSection": section or "Install_" + cls.upper(),
              "MatchingDeviceId": device_id or "root\\" + cls + "_" + inst}
    return cls, inst, {k: v for k, v in values.items() if v is not OMIT}


MS = "Microsoft"
# Instances in registry enumeration order (class keys and instance names sort case-insensitively).
DRIVERS = [
    drv("usb", "0000", "Marlowe USB 3.2 eXtensible Host Controller", "Marlowe Systems", "oem21.inf",
        "3-14-2023", "10.1.22.4", "MrlXhci_Inst", "pci\\ven_1d7e&dev_15e0"),
    drv("usb", "0001", "USB Root Hub (USB 3.0)", MS, "usbhub3.inf", "6-21-2006", "10.0.19041.3636",
        "Generic.Install.NT", "usb\\root_hub30"),
    drv("usb", "0002", "USB Composite Device", MS, "usb.inf", "6-21-2006", "10.0.19041.3570",
        "Composite.Dev.NT", "usb\\composite"),
    drv("usb", "0003", "Generic USB Hub", "microsoft", "usb.inf", "6-21-2006", "10.0.19041.3570",
        "StandardHub.Dev.NT", "usb\\class_09"),
    drv("usb", "0004", "USB Root Hub (USB 3.0)", MS, "usbhub3.inf", "6-21-2006", "10.0.19041.3636",
        "Generic.Install.NT", "usb\\root_hub30"),
    drv("usb", "0005", "Generic Bluetooth Adapter", MS, "bth.inf", "6-21-2006", "10.0.19041.3393",
        "BthUsb", "usb\\class_e0&subclass_01&prot_01"),
    drv("usb", "0006", "Orrin USB Receiver", "Orrin Input", "oem40.inf", "9-2-2022", "2.4.0.17",
        "OrrinRcv", "usb\\vid_2f1c&pid_0a01"),

    drv("disk", "0000", "Disk drive", MS, "disk.inf", "6-21-2006", "10.0.19041.3636",
        "disk_install.NT", "gendisk"),
    drv("disk", "0001", "Sorrel NX2 1TB NVMe SSD", "Sorrel Storage", "oem30.inf", "1-9-2024",
        "1.3.0.0", "SorrelNx", "scsi\\disksorrel_nx2_1tb"),
    drv("disk", "0002", OMIT, "Sorrel Storage", "oem30.inf", "1-9-2024", "1.3.0.0", "SorrelNx",
        "scsi\\disksorrel_nx2_2tb"),


    drv("keyboard", "0000", "Standard PS/2 Keyboard", MS, "keyboard.inf", "6-21-2006",
        "10.0.19041.1", "STANDARD_Inst", "*pnp0303"),
    drv("keyboard", "0001", "Orrin Wireless Keyboard K40", "Orrin Input", "oem41.inf", "9-2-2022",
        "2.4.0.17", "OrrinKbd", "hid\\vid_2f1c&pid_0a40"),
    drv("keyboard", "0002", "HID Keyboard Device", MS, "keyboard.inf", "6-21-2006", "10.0.19041.1",
        "HID_Keyboard_Inst.NT", "hid_device_system_keyboard"),

    drv("media", "0000", "Korvo HD Audio", "Korvo Audio", "oem7.inf", "11-30-2023", "6.0.9600.1",
        "KorvoHda", "hdaudio\\func_01&ven_1c4d&dev_0897"),
    drv("media", "0001", "Korvo S/PDIF Output", "Korvo Audio", "oem8.inf", "11-30-2023",
        "6.0.9600.1", "KorvoSpdif", "hdaudio\\func_01&ven_1c4d&dev_0899"),
    drv("media", "0002", "KORVO HD Audio", "Korvo Audio", "oem7.inf", "2-1-2021", "6.0.8800.4",
        "KorvoHda", "hdaudio\\func_01&ven_1c4d&dev_0887"),
    drv("media", "0003", "Korvo HD Audio", "Korvo Audio", "oem7.inf", "11-30-2023", "6.0.9600.1",
        "KorvoHda", "hdaudio\\func_01&ven_1c4d&dev_0897"),
    drv("media", "0004", "Korvo SPDIF Output", "Korvo Audio", "oem8.inf", "11-30-2023",
        "6.0.9600.1", "KorvoSpdif", "hdaudio\\func_01&ven_1c4d&dev_089a"),
    drv("media", "0005", "Microsoft Streaming Service Proxy", MS, "ksfilter.inf", "6-21-2006",
        "10.0.19041.1", "MSPQM", "sw\\{96e080c7-143c-11d1-b40f-00a0c9223196}"),
    drv("media", "0006", "", "Korvo Audio", "oem7.inf", "11-30-2023", "6.0.9600.1", "KorvoHda",
        "hdaudio\\func_01&ven_1c4d&dev_08ff"),


    drv("mouse", "0000", "HID-compliant mouse", MS, "msmouse.inf", "6-21-2006", "10.0.19041.1",
        "HID_Mouse_Inst.NT", "hid_device_system_mouse"),
    drv("mouse", "0001", "Orrin Precision Mouse M5", "Orrin Input", "oem42.inf", "9-2-2022",
        "2.4.0.17", "OrrinMou", "hid\\vid_2f1c&pid_0b05"),
    drv("mouse", "0002", "Orrin Trackball T2", OMIT, "oem43.inf", "5-5-2019", "1.0.2.0",
        "OrrinTb", "hid\\vid_2f1c&pid_0b22"),
    drv("mouse", "0003", "HID-compliant mouse", MS, "msmouse.inf", "6-21-2006", "10.0.19041.1",
        "HID_Mouse_Inst.NT", "hid_device_system_mouse"),

    drv("net", "0000", "Veltra 10/100 Fast Ethernet Adapter", "Veltra Networks", "oem5.inf",
        "8-7-2020", "8.2.817.2020", "VLT100.ndi", "pci\\ven_1e0b&dev_8139"),
    drv("net", "0001", "Veltra WX600 Wi-Fi 6E Adapter", "Veltra Networks", "oem6.inf",
        "10-3-2024", "23.60.1.2", "VLTWX6.ndi", "pci\\ven_1e0b&dev_2725"),
    drv("net", "0002", "WAN Miniport (IP)", MS, "netrasa.inf", "6-21-2006", "10.0.19041.1",
        "Ndi-NdisWanIp", "ms_ndiswanip"),
    drv("net", "0003", "WAN Miniport (IPv6)", MS, "netrasa.inf", "6-21-2006", "10.0.19041.1",
        "Ndi-NdisWanIpv6", "ms_ndiswanipv6"),
    drv("net", "0004", "Bluefen Bluetooth Device (Personal Area Network)", MS, "bthpan.inf",
        "6-21-2006", "10.0.19041.1", "BthPan.Install", "bthpan"),
    drv("net", "0005", "Microsoft Kernel Debug Network Adapter", MS, "kdnic.inf", "6-21-2006",
        "10.0.19041.1", "KdNic.ndi", "root\\kdnic"),
    drv("net", "Temp", "Veltra Virtual Miniport", "Veltra Networks", "oem6.inf", "10-3-2024",
        "23.60.1.2", "VLTWXV.ndi", "root\\vltwx_virtual"),

    drv("ports", "0000", "Communications Port (COM1)", MS, "msports.inf", "6-21-2006",
        "10.0.19041.1", "ComPort", "acpi\\pnp0501"),
    drv("ports", "0001", "Gantry USB Serial Port (COM3)", "Gantry Serial", "oem25.inf",
        "12-12-2022", "3.8.31.0", "GntSer.NT", "gntbus\\com_port"),
    drv("ports", "0002", "Printer Port (LPT1)", MS, "msports.inf", "6-21-2006", "10.0.19041.1",
        "LptPort", "acpi\\pnp0400"),
    drv("ports", "0003", "Gantry Legacy Serial Port (COM4)", Num(1), "oem25.inf", "12-12-2022",
        "3.8.31.0", "GntSer.NT", "gntbus\\legacy_port"),
    # Two vendors' drivers for devices of one description: one list row, two packages.
    drv("ports", "0004", "USB Serial Adapter", "Gantry Serial", "oem45.inf", "4-18-2023",
        "3.9.2.0", "GntUsbSer", "usb\\vid_2a4f&pid_0301"),
    drv("ports", "0005", "USB Serial Adapter", "Marlowe Systems", "oem46.inf", "3-14-2023",
        "10.1.22.4", "MrlUsbSer", "usb\\vid_1d7e&pid_3e01"),

    drv("printer", "0000", "  Halden PrintMaster 5/6 Series: PCL6  ", "Halden Printworks",
        "oem18.inf", "7-1-2021", "4.1.0.12", "HLDNPM", "haldenprintmaster56"),
    drv("printer", "0001", "Microsoft Print To PDF", MS, "prnms009.inf", "6-21-2006",
        "10.0.19041.3570", "MPDW", "microsoftmicrosoft_print_to_pdf"),
    drv("printer", "0002", "Halden PhotoJet 210", "Halden Printworks", "oem19.inf", "2-28-2023",
        "5.0.3.1", "HLDN210", "usbprint\\haldenphotojet_2104d2a"),
    drv("printer", "0003", "???", "Halden Printworks", "oem19.inf", "2-28-2023", "5.0.3.1",
        "HLDN210", "usbprint\\haldenphotojet_2104d2b"),

    drv("scsi", "0000", "Sorrel NVMe Storage Controller", "Sorrel Storage", "oem31.inf",
        "1-9-2024", "1.3.0.0", "SorrelNv", "pci\\ven_1f9c&dev_5016"),
    drv("scsi", "0001", "Microsoft Storage Spaces Controller", MS, "spaceport.inf", "6-21-2006",
        "10.0.19041.3570", "Spaceport_Install", "root\\spaceport"),
    drv("scsi", "0002", "Standard NVM Express Controller", "microsoft", "stornvme.inf",
        "6-21-2006", "10.0.19041.3636", "Stornvme_Inst", "pci\\cc_010802"),

    drv("system", "0002", "Marlowe Chipset SMBus Controller", "Marlowe Systems", "oem22.inf",
        "3-14-2023", "10.1.22.4", "Needs_NO_DRV", "pci\\ven_1d7e&dev_7a23"),
    drv("system", "0003", "PCI Express Root Port", MS, "machine.inf", "6-21-2006",
        "10.0.19041.3636", "PCI_DRV_ROOTPORT", "pci\\cc_060400"),
    drv("system", "0004", "Marlowe Management Engine Interface", "Marlowe Systems", OMIT,
        "3-14-2023", "10.1.22.4", "MrlMei", "pci\\ven_1d7e&dev_7ae8"),
    drv("system", "0005", "High Definition Audio Controller", MS, "hdaudbus.inf", "6-21-2006",
        "10.0.19041.3636", "HDAudio_Device.NT", "pci\\cc_0403"),
    drv("system", "0006", "Marlowe GPIO Controller", "Marlowe Systems", "oem22.inf",
        "3-14-2023", "10.1.22.4", "Needs_NO_DRV", "acpi\\mrl0c50"),

    drv("image", "0000", "Quillon ScanDesk 4800", "Quillon Imaging", "oem27.inf", "5-17-2021",
        "2.0.4.1", "QlnScan", "usb\\vid_3a11&pid_4800"),
    drv("image", "0001", "Quillon Document Camera DC2", "Quillon Imaging", "oem28.inf",
        "8-30-2022", "1.1.0.9", "QlnCam", "usb\\vid_3a11&pid_0dc2"),
    drv("image", "0002", OMIT, OMIT, "oem28.inf", OMIT, OMIT, "QlnCam", "usb\\vid_3a11&pid_0dc3"),

    drv("hid", "0004", "Orrin USB Receiver", "Orrin Input", "oem40.inf", "9-2-2022", "2.4.0.17",
        "OrrinRcvHid", "hid\\vid_2f1c&pid_0a01&mi_00"),
    drv("hid", "0005", "HID-compliant consumer control device", MS, "hidserv.inf", "6-21-2006",
        "10.0.19041.1", "HIDSystemConsumerDevice", "hid_device_system_consumer"),
    drv("hid", "0006", "Orrin Gamepad G1", "Orrin Input", "oem44.inf", "9-2-2022", "2.4.0.17",
        "OrrinPad", "hid\\vid_2f1c&pid_0c01"),
    drv("hid", "0007", "HID-compliant mouse", MS, "msmouse.inf", "6-21-2006", "10.0.19041.1",
        "HID_Mouse_Inst.NT", "hid_device_system_mouse"),

    drv("bluetooth", "0000", "Bluefen BT5.3 Wireless Radio", "Bluefen Wireless", "oem33.inf",
        "2-20-2024", "22.240.0.2", "BfBt", "usb\\vid_3b07&pid_5301"),
    drv("bluetooth", "0001", "Generic Bluetooth Adapter", "Bluefen Wireless", "oem33.inf",
        "2-20-2024", "22.240.0.2", "BfBt", "usb\\vid_3b07&pid_5302"),
    drv("bluetooth", "0002", "Microsoft Bluetooth Enumerator", MS, "bth.inf", "6-21-2006",
        "10.0.19041.3393", "BthEnum.NT", "bth\\ms_bthbrb"),

    drv("extension", "0000", "Tessaly Graphics TG-7700 Series", "Tessaly Graphics", "oem12.inf",
        "6-21-2024", "31.0.15.3623", "TG7700_Install", "pci\\ven_1f3a&dev_7700"),
    drv("extension", "0001", "Tessaly Graphics TG-7700 Series", "Tessaly Graphics", "oem12.inf",
        "6-21-2024", "31.0.15.3623", "TG7700_Install", "pci\\ven_1f3a&dev_7700"),
    drv("extension", "0002", "Tessaly Control Panel Extension", "Tessaly Graphics", "oem13.inf",
        "6-21-2024", "31.0.15.3623", "TGCP_Install", "pci\\ven_1f3a&dev_7700&subsys_00011f3a"),
]

# Subkeys of class keys that are not driver instances (names of 5 or more characters). Their
# values would make extra rows if such a key were ever taken for an instance.
NOT_INSTANCES = [
    ("extension", "Properties", {"DriverDesc": "Tessaly Graphics Class Properties",
                                 "ProviderName": "Tessaly Graphics", "InfPath": "oem12.inf"}),
    ("keyboard", "Properties", {"DriverDesc": "Keyboard Class Properties",
                                "ProviderName": "Orrin Input"}),
    ("media", "Setup", {"DriverDesc": "Korvo Setup Helper", "ProviderName": "Korvo Audio",
                        "InfPath": "oem7.inf"}),
    ("modem", "Properties", {"DriverDesc": "Modem Class Properties",
                             "ProviderName": "Veltra Networks"}),
    ("net", "Configuration", {"DriverDesc": "Veltra Network Configuration",
                              "ProviderName": "Veltra Networks"}),
    ("bluetooth", "Properties", {"DriverDesc": "Bluefen Class Properties",
                                 "ProviderName": "Bluefen Wireless"}),
]


def inf_version(cls, provider_key, catalog, drivever):
    guid = CLASSES[cls][0]
    lines = ["[Version]", 'Signature="$WINDOWS NT$"', "Class=" + CLASSES[cls][2],
             "ClassGuid=" + guid, "Provider=%" + provider_key + "%"]
    if catalog:
        lines.append(catalog)
    lines.append("DriverVer=" + drivever)
    return lines


# INF files: name -> dict(cls, vendor key, vendor name, catalog line or None, DriverVer,
# files: listed names of the undecorated [SourceDisksFiles] (None: no such section),
# decorated: {suffix: listed names}, installed: {listed name: installed name or None}).
INFS = {
    "oem5.inf": dict(cls="net", key="VLT", vendor="Veltra Networks", cat="CatalogFile=veltra5.cat",
                     ver="08/07/2020,8.2.817.2020",
                     files=["vlt100.sys", "vltcoins.dll", "vltdiag.exe", "vltnet.chm"]),
    "oem6.inf": dict(cls="net", key="VLT", vendor="Veltra Networks", cat="catalogfile=veltrawx.cat",
                     ver="10/03/2024,23.60.1.2",
                     files=["VLTWX6.SYS", "vltwxfw.bin", "vltwxsvc.exe", "vltwx.hlp"],
                     installed={"VLTWX6.SYS": "vltwx6.sys"}),
    "oem7.inf": dict(cls="media", key="KRV", vendor="Korvo Audio", cat="CatalogFile=korvo.cat",
                     ver="11/30/2023,6.0.9600.1",
                     files=["korvohda.sys", "KORVOAPO.DLL", "korvocpl.exe", "korvofx.dat",
                            "korvohda.chm"],
                     installed={"KORVOAPO.DLL": "korvoapo.dll"}),
    "oem8.inf": dict(cls="media", key="KRV", vendor="Korvo Audio", cat=None,
                     ver="11/30/2023,6.0.9600.1",
                     files=["korvospd.sys", "korvospd.dll", "korvospd.ini"]),
    "oem12.inf": dict(cls="extension", key="TG", vendor="Tessaly Graphics",
                      cat="CatalogFile=tessaly.cat", ver="06/21/2024,31.0.15.3623",
                      files=["tgkmd.sys", "TGUMD.DLL", "tgctl.exe", "tgdesk.tvp", "tgwall.tvp",
                             "tgdisp.chm", "tgmon.inf"],
                      decorated={"amd64": ["tgkmd64.sys", "tgumd64.dll"]},
                      installed={"TGUMD.DLL": "tgumd.dll"}),
    "oem18.inf": dict(cls="printer", key="HLD", vendor="Halden Printworks",
                      cat="CatalogFile=halden.cat", ver="07/01/2021,4.1.0.12",
                      files=["hldnpm.dll", "hldnpmui.dll", "hldnpm.gpd", "hldnpm.hlp"]),
    "oem19.inf": dict(cls="printer", key="HLD", vendor="Halden Printworks",
                      cat="catalogfile=hldn210.cat", ver="02/28/2023,5.0.3.1",
                      files=["haldenui.dll", "hldn210.icm", "hldn210.chm", "hldnmon.exe",
                             "hldn210.ini"],
                      installed={"haldenui.dll": "HaldenUI.dll", "hldn210.ini": None}),
    "oem21.inf": dict(cls="usb", key="MRL", vendor="Marlowe Systems", cat="CatalogFile=marlowe.cat",
                      ver="03/14/2023,10.1.22.4",
                      files=["mrlxhci.sys", "mrlusbmon.exe", "mrlusb.dll"]),
    "oem22.inf": dict(cls="system", key="MRL", vendor="Marlowe Systems",
                      cat="CatalogFile=marlowechip.cat", ver="03/14/2023,10.1.22.4", files=None),
    "oem25.inf": dict(cls="ports", key="GNT", vendor="Gantry Serial", cat=None,
                      ver="12/12/2022,3.8.31.0", files=None,
                      decorated={"amd64": ["gntser64.sys", "gntenum64.sys"]}),
    "oem27.inf": dict(cls="image", key="QLN", vendor="Quillon Imaging", cat="CatalogFile=quillon.cat",
                      ver="05/17/2021,2.0.4.1",
                      files=["qlnscan.sys", "qlnwia.dll", "qlnscan.exe", "qlnscan.chm",
                             "QLNSCAN.ICM"], installed={"QLNSCAN.ICM": "qlnscan.icm"}),
    "oem28.inf": dict(cls="image", key="QLN", vendor="Quillon Imaging",
                      cat="catalogfile=qlncam.cat", ver="08/30/2022,1.1.0.9",
                      files=["qlncam.sys", "qlncamfw", "qlncam.dll"]),
    "oem30.inf": dict(cls="disk", key="SRL", vendor="Sorrel Storage", cat="CatalogFile=sorrel.cat",
                      ver="01/09/2024,1.3.0.0", files=["sorrelnx.sys"]),
    "oem31.inf": dict(cls="scsi", key="SRL", vendor="Sorrel Storage", cat="CatalogFile=sorrel.cat",
                      ver="01/09/2024,1.3.0.0", files=["sorrelnv.sys", "sorrelnvcfg.exe"]),
    "oem33.inf": dict(cls="bluetooth", key="BF", vendor="Bluefen Wireless",
                      cat="CatalogFile=bluefen.cat", ver="02/20/2024,22.240.0.2",
                      files=["bfbt.sys", "bfbtfw.hex", "bfbtsvc.exe", "bfbt.chm"]),
    "oem40.inf": dict(cls="usb", key="ORN", vendor="Orrin Input", cat="CatalogFile=orrin.cat",
                      ver="09/02/2022,2.4.0.17", files=["orrinrcv.sys", "orrinhid.dll"]),
    "oem41.inf": dict(cls="keyboard", key="ORN", vendor="Orrin Input", cat="catalogfile=orrin.cat",
                      ver="09/02/2022,2.4.0.17",
                      files=["orrinkbd.sys", "orrinkeys.exe", "orrinkbd.hlp"],
                      installed={"orrinkeys.exe": "OrrinKeys.exe"}),
    "oem42.inf": dict(cls="mouse", key="ORN", vendor="Orrin Input", cat="CatalogFile=orrin.cat",
                      ver="09/02/2022,2.4.0.17", files=["orrinmou.sys", "orrinpt.dll"]),
    "oem43.inf": dict(cls="mouse", key="ORN", vendor="Orrin Input", cat="CatalogFile=orrintb.cat",
                      ver="05/05/2019,1.0.2.0", files=["orrintb.sys"]),
    "oem44.inf": dict(cls="hid", key="ORN", vendor="Orrin Input", cat="CatalogFile=orrin.cat",
                      ver="09/02/2022,2.4.0.17", files=None,
                      decorated={"x86": ["orrinpad.sys"], "amd64": ["orrinpad64.sys"]}),
    "oem45.inf": dict(cls="ports", key="GNT", vendor="Gantry Serial", cat="CatalogFile=gntusb.cat",
                      ver="04/18/2023,3.9.2.0", files=["gntusbser.sys"]),
    "oem46.inf": dict(cls="ports", key="MRL", vendor="Marlowe Systems", cat="CatalogFile=mrlser.cat",
                      ver="03/14/2023,10.1.22.4", files=["mrlusbser.sys"]),
    # Inbox-style INFs: no file list of their own.
    "usbhub3.inf": dict(cls="usb", key="MSFT", vendor="Microsoft", cat=None,
                        ver="06/21/2006,10.0.19041.3636", files=None),
    "keyboard.inf": dict(cls="keyboard", key="MSFT", vendor="Microsoft", cat=None,
                         ver="06/21/2006,10.0.19041.1", files=None),
    "msmouse.inf": dict(cls="mouse", key="MSFT", vendor="Microsoft", cat=None,
                        ver="06/21/2006,10.0.19041.1", files=None),
    "msports.inf": dict(cls="ports", key="MSFT", vendor="Microsoft", cat=None,
                        ver="06/21/2006,10.0.19041.1", files=None),
}

# Files installed but not listed under an INF's own name (tgmon.inf is listed by oem12.inf).
EXTRA_FILES = {"inf/tgmon.inf": "oem12.inf"}

# Catalogs of installed INF files, kept by the system as oemN.cat below CatRoot: one for every INF
# of ours that names a catalog, except oem21.inf, whose marlowe.cat is deliberately not there.
CATROOT = "system32/CatRoot/{F750E6C3-38EE-11D1-85E5-00C04FC295EE}"
MISSING_CATALOG = "oem21.inf"

# One package that lives in the driver store: its folder holds the INF under its own name (the
# same bytes as the installed oem30.inf), its catalog, its files and a sub-folder.
STORE_FOLDER = "system32/DriverStore/FileRepository/sorrelnx.inf_amd64_5f2c1a9d0b7e3c41"
STORE_INF = ("oem30.inf", "sorrelnx.inf")
STORE_EXTRA = ["sorrel.cat", "firmware/nx2fw.bin", "firmware/readme.txt"]


def catalog(inf, vendor):
    return ("Sample catalog for %s, Driver Keeper tests\r\nVendor: %s (fictional).\r\n"
            "It signs nothing; it only stands in for a package's catalog.\r\n"
            % (inf, vendor)).encode("ascii")


def folder_for(name):
    """The installed folder (below windows/) for a listed file name, by its extension."""
    ext = os.path.splitext(name)[1].lower()
    return {".exe": "system32", ".dll": "system32", ".sys": "system32/drivers",
            ".hlp": "help", ".chm": "help", ".icm": "system32/spool/drivers/color",
            ".inf": "inf", ".tvp": "nview"}.get(ext, "system32")


def dummy(name, inf, vendor):
    text = ("Sample driver file %s for Driver Keeper tests\r\n"
            "Vendor: %s (fictional). Listed by: %s.\r\n"
            "This is not a program. It only stands in for an installed driver file, so that\r\n"
            "a backup has something to find and copy. Every byte of it is made up.\r\n"
            % (name, vendor, inf))
    return text.encode("ascii")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def render_inf(name, d):
    lines = ["; %s - %s driver package (sample data for Driver Keeper)" % (name, d["vendor"]),
             "; Copyright (c) %s. Fictional." % d["vendor"], ""]
    lines += inf_version(d["cls"], d["key"], d["cat"], d["ver"])
    lines += ["PnpLockdown=1", "", "[SourceDisksNames]", "1 = %DiskName%,,,\"\"", ""]
    if d["files"] is not None:
        lines.append("[SourceDisksFiles]")
        lines.append("; file = disk id")
        lines += ["%s = 1" % f for f in d["files"]]
        lines.append("")
    for suffix, files in d.get("decorated", {}).items():
        lines.append("[SourceDisksFiles.%s]" % suffix)
        lines += ["%s = 1,," % f for f in files]
        lines.append("")
    lines += ["[Manufacturer]", "%%%s%% = Models,NTamd64" % d["key"], "",
              "[Models.NTamd64]", "%DeviceDesc% = Install, root\\sample", "",
              "[DestinationDirs]", "DefaultDestDir = 12", "",
              "[Install]", "CopyFiles = Install.Files", "",
              "[Install.Files]"]
    all_files = (d["files"] or []) + [f for fs in d.get("decorated", {}).values() for f in fs]
    lines += [f for f in all_files if f.lower().endswith(".sys")]
    lines += ["", "[Strings]", '%s = "%s"' % (d["key"], d["vendor"]),
              'DiskName = "%s Installation Disk"' % d["vendor"],
              'DeviceDesc = "%s Device"' % d["vendor"], ""]
    return "\r\n".join(lines).encode("ascii")


def reg_string(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"'


def reg_value(name, v):
    lhs = "@" if name == "" else reg_string(name)
    if isinstance(v, Num):
        return "%s=dword:%08x" % (lhs, v.n)
    return "%s=%s" % (lhs, reg_string(v))


def render_reg():
    out = ["Windows Registry Editor Version 5.00", "",
           "; Sample device class database for Driver Keeper (fictional vendors).",
           "; Written by generate.py; edit that script, not this file.", ""]
    for cls, (guid, desc, cname) in CLASSES.items():
        out.append("[%s\\%s]" % (CLASS_ROOT, guid))
        if desc is not None:
            out.append(reg_value("", desc))
        out.append(reg_value("Class", cname))
        out.append("")
        keys = [(inst, vals) for c, inst, vals in DRIVERS if c == cls]
        keys += [(sub, vals) for c, sub, vals in NOT_INSTANCES if c == cls]
        for sub, vals in keys:
            out.append("[%s\\%s\\%s]" % (CLASS_ROOT, guid, sub))
            out += [reg_value(k, v) for k, v in vals.items()]
            out.append("")
    return "\r\n".join(out).encode("ascii")


def generate():
    write(os.path.join(HERE, "drivers.reg"), render_reg())
    win = os.path.join(HERE, "windows")
    shutil.rmtree(win, ignore_errors=True)
    for name, d in INFS.items():
        write(os.path.join(win, "inf", name), render_inf(name, d))
        installed = d.get("installed", {})
        listed = (d["files"] or []) + [f for fs in d.get("decorated", {}).values() for f in fs]
        for f in listed:
            target = installed.get(f, f)
            if target is None or f.lower().endswith(".inf"):
                continue
            write(os.path.join(win, folder_for(f), target), dummy(target, name, d["vendor"]))
    for rel, inf in EXTRA_FILES.items():
        write(os.path.join(win, rel), dummy(os.path.basename(rel), inf, INFS[inf]["vendor"]))
    for inf in [n for n, d in INFS.items() if d["cat"] and n != MISSING_CATALOG]:
        write(os.path.join(win, CATROOT, inf.replace(".inf", ".cat")),
              catalog(inf, INFS[inf]["vendor"]))
    installed, own = STORE_INF
    d = INFS[installed]
    store = os.path.join(win, STORE_FOLDER)
    write(os.path.join(store, own), render_inf(installed, d))
    for f in d["files"] or []:
        write(os.path.join(store, f), dummy(f, installed, d["vendor"]))
    for rel in STORE_EXTRA:
        data = (catalog(own, d["vendor"]) if rel.endswith(".cat")
                else dummy(os.path.basename(rel), own, d["vendor"]))
        write(os.path.join(store, rel), data)


# ---- expected scan results ----------------------------------------------------------------

def scan(mode):
    """The rows a scan gives on the sample prefix: caption, type, action, class, instance, INF."""
    classes = {**CLASSES, **WINE_CLASSES}
    keys = [(classes[c][0].lower(), c, i, v) for c, i, v in WINE_OWN + DRIVERS]
    keys.sort(key=lambda k: (k[0], k[2].lower()))
    rows, seen = [], set()
    for _, cls, inst, vals in keys:
        desc = vals.get("DriverDesc", "")
        prov = vals.get("ProviderName", "Microsoft")
        if not isinstance(prov, str):
            prov = "Microsoft"
        if desc == "" or (mode == 1 and prov == "Microsoft") or desc in seen:
            continue
        seen.add(desc)
        rows.append((desc, classes[cls][1] or "", "Microsoft" if prov == "Microsoft"
                     else "Recommended", classes[cls][2], inst, vals.get("InfPath", "")))
    return rows


def packages(mode):
    """The packages an export of the mode makes: one per INF (an instance without one stands
    alone), in scan order, named by the first instance's device; a name already taken, in any
    letter case, gets " (2)", " (3)" ..."""
    classes = {**CLASSES, **WINE_CLASSES}
    keys = [(classes[c][0].lower(), c, i, v) for c, i, v in WINE_OWN + DRIVERS]
    keys.sort(key=lambda k: (k[0], k[2].lower()))
    rows, seen, used = [], set(), set()
    for _, cls, inst, vals in keys:
        desc = vals.get("DriverDesc", "")
        prov = vals.get("ProviderName", "Microsoft")
        if not isinstance(prov, str):
            prov = "Microsoft"
        inf = vals.get("InfPath", "")
        package = inf.upper() if inf else "*" + desc
        if desc == "" or (mode == 1 and prov == "Microsoft") or package in seen:
            continue
        seen.add(package)
        base = sanitize(desc).rstrip(". ") or "Unnamed driver"
        name, n = base, 2
        while name.upper() in used:
            name, n = "%s (%d)" % (base, n), n + 1
        used.add(name.upper())
        rows.append((name, inf, classes[cls][2], inst))
    return rows


def file_count(inf):
    d = INFS.get(inf)
    return 1 if d is None or d["files"] is None else len(d["files"]) + 1


def sanitize(name):
    for ch in '/\\*:?"<>|':
        name = name.replace(ch, "")
    return name.strip("".join(chr(c) for c in range(33)))


def signature(inf):
    d = INFS.get(inf)
    return d["cat"].split("=", 1)[1] if d and d["cat"] else "No Signature"


def resolved(inf):
    """The files a backup of a driver with this INF copies, as paths below C:\\windows."""
    d = INFS.get(inf)
    out = []
    for f in (d["files"] or []) if d else []:
        target = d.get("installed", {}).get(f, f)
        if target is not None:
            out.append(folder_for(f).replace("/", "\\") + "\\" + target)
    return out + ["inf\\" + inf]


def expect():
    print("INF files (the Files count is what the details show; the backup copies the resolved")
    print("files below C:\\windows, the INF last; an INF that is not there is not copied)\n")
    print("| INF | Signature | Files | Resolved files |")
    print("|---|---|---|---|")
    used = sorted({v.get("InfPath", "") for _, _, v in DRIVERS},
                  key=lambda n: (not n.startswith("oem"), len(n), n))
    for inf in used:
        where = "" if inf in INFS else " (not installed)"
        print("| %s%s | %s | %d | %s |" % (inf or "(no InfPath)", where, signature(inf),
                                          file_count(inf), ", ".join(resolved(inf))
                                          if inf in INFS else "-"))
    print()
    for mode in (1, 2):
        rows = scan(mode)
        print("Mode %d: %d rows\n" % (mode, len(rows)))
        print("| # | Device | Type | Action | Key | INF | Files | Folder |")
        print("|---|---|---|---|---|---|---|---|")
        for n, (desc, typ, act, cname, inst, inf) in enumerate(rows, 1):
            print("| %d | `%s` | %s | %s | %s\\%s | %s | %d | `%s` |"
                  % (n, desc, typ, act, cname, inst, inf or "-", file_count(inf), sanitize(desc)))
        print()
    for mode in (1, 2):
        rows = packages(mode)
        print("Export in mode %d (`/export`%s): %d packages\n"
              % (mode, " /all" if mode == 2 else "", len(rows)))
        print("| # | Package folder | INF | Key |")
        print("|---|---|---|---|")
        for n, (name, inf, cname, inst) in enumerate(rows, 1):
            print("| %d | `%s` | %s | %s\\%s |" % (n, name, inf or "-", cname, inst))
        print()


if __name__ == "__main__":
    if sys.argv[1:] == ["--expect"]:
        expect()
    else:
        generate()
