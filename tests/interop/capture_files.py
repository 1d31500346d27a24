#!/usr/bin/env python3
"""Readers of the packet capture's files, kept apart from the program's own code so that each can
check the other: the colour-filter file (.qvc), the trigger file (.qvt) and the packet log
(.qvp); pcap and pcapng capture files; and the packet list's summary columns, CSV lines and text
blocks of a datagram, written from the layouts alone.

    python3 tests/interop/capture_files.py dump FILE   prints what the file holds
"""
import struct
import sys
import time

FILTER_FIELDS = ("checked", "source_address", "dest_address", "protocol", "source_port",
                 "dest_port", "text_color", "back_color", "reserved")
TRIGGER_FIELDS = ("enabled", "first_time_only", "kind", "run_program", "save_latest_log",
                  "source_address", "dest_address", "protocol_kind", "source_port", "dest_port")


class Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0

    def take(self, count):
        if count > len(self.data) - self.at:
            raise ValueError(f"{count} bytes wanted at {self.at}, {len(self.data) - self.at} left")
        piece = self.data[self.at:self.at + count]
        self.at += count
        return piece

    def u32(self):
        return struct.unpack("<I", self.take(4))[0]

    def port(self):
        """A port stored in network byte order, in host order."""
        return struct.unpack(">H", self.take(2))[0]

    def address(self):
        return ".".join(str(b) for b in self.take(4))

    def counted(self):
        return self.take(self.u32())

    def conditions(self):
        return [(self.u32(), self.u32()) for _ in range(self.u32())]


def read_fields(r, fields):
    """The fixed fields of an entry: addresses and ports as stored, the rest 32-bit values."""
    entry = {}
    for name in fields:
        if name.endswith("address"):
            entry[name] = r.address()
        elif name.endswith("port"):
            entry[name] = r.port()
        else:
            entry[name] = r.u32()
    return entry


def read_filter_entry(form):
    r = Reader(form)
    entry = read_fields(r, FILTER_FIELDS)
    entry["conditions"] = r.conditions()
    entry["name"] = r.counted()
    if r.take(1) != b"\0" or r.at != len(form):
        raise ValueError("a filter entry ends with one zero byte")
    return entry


def read_trigger_entry(form):
    r = Reader(form)
    entry = read_fields(r, TRIGGER_FIELDS)
    if r.take(12) != bytes(12):
        raise ValueError("reserved bytes are zero")
    entry["conditions"] = r.conditions()
    entry["name"] = r.counted()
    entry["seconds"] = r.u32()
    for name in ("program", "arguments", "directory"):
        entry[name] = r.counted()
    if r.take(1) != b"\0" or r.at != len(form):
        raise ValueError("a trigger entry ends with one zero byte")
    return entry


def read_entry_file(data, magic, read_entry):
    r = Reader(data)
    if r.take(4) != magic:
        raise ValueError("not a file of this kind")
    entries = [read_entry(r.counted()) for _ in range(r.u32())]
    if r.at != len(data):
        raise ValueError("bytes after the last record")
    return entries


def read_qvc(data):
    return read_entry_file(data, b"qvc\0", read_filter_entry)


def read_qvt(data):
    return read_entry_file(data, b"qvt\0", read_trigger_entry)


def read_qvp(data):
    """[(time fields (8), datagram)]"""
    r = Reader(data)
    if r.take(4) != b"QVP ":
        raise ValueError("not a packet log")
    records = []
    while r.at < len(data):
        form = r.counted()
        if len(form) <= 16:
            records.append(((0,) * 8, b""))
        else:
            records.append((struct.unpack("<8H", form[:16]), form[16:]))
    return records


def write_qvp(records):
    out = bytearray(b"QVP ")
    for fields, datagram in records:
        form = struct.pack("<8H", *fields) + datagram
        out += struct.pack("<I", len(form)) + form
    return bytes(out)


# Capture files: [(seconds since 1970, milliseconds, frame)]

def read_pcap(data):
    r = Reader(data)
    if r.u32() != 0xA1B2C3D4:
        raise ValueError("not a little-endian microsecond pcap file")
    r.take(20)
    packets = []
    while r.at < len(data):
        seconds, microseconds, captured, _ = struct.unpack("<4I", r.take(16))
        packets.append((seconds, microseconds // 1000, r.take(captured)))
    return packets


def units_per_second(resolution):
    exponent = resolution & 0x7F
    return 2 ** exponent if resolution & 0x80 else 10 ** exponent


def read_pcapng(data):
    """Every section; each interface keeps its own if_tsresol (6 without one)."""
    r = Reader(data)
    packets = []
    resolutions = []
    while r.at < len(data):
        block_type, length = struct.unpack("<II", r.take(8))
        body = Reader(r.take(length - 12))
        if r.u32() != length:
            raise ValueError("block lengths differ")
        if block_type == 0x0A0D0D0A:
            if body.u32() != 0x1A2B3C4D:
                raise ValueError("not a little-endian section")
            resolutions = []
        elif block_type == 1:
            body.take(8)
            resolution = 6
            while body.at + 4 <= len(body.data):
                code, size = struct.unpack("<HH", body.take(4))
                if code == 0:
                    break
                value = body.take((size + 3) & ~3)
                if code == 9:
                    resolution = value[0]
            resolutions.append(resolution)
        elif block_type in (2, 6):
            interface = body.u32() & (0xFFFF if block_type == 2 else 0xFFFFFFFF)
            high, low, captured, _ = struct.unpack("<4I", body.take(16))
            units = units_per_second(resolutions[interface])
            stamp = (high << 32) | low
            packets.append((stamp // units, (stamp % units) * 1000 // units, body.take(captured)))
    return packets


def read_capture(data):
    return read_pcapng(data) if data[:4] == b"\x0a\x0d\x0d\x0a" else read_pcap(data)


def imported_records(packets):
    """The records the capture window keeps: IPv4 in Ethernet with a whole minimal header."""
    records = []
    for seconds, milliseconds, frame in packets:
        if len(frame) >= 34 and frame[12:14] == b"\x08\x00":
            local = time.localtime(seconds)
            fields = (local.tm_year, local.tm_mon, 0, local.tm_mday, local.tm_hour, local.tm_min,
                      local.tm_sec, milliseconds)
            records.append((fields, frame[14:]))
    return records


# The packet list's columns.

PORT_NAMES = {25: "SMTP", 53: "DNS", 80: "HTTP", 110: "POP3", 137: "NBNS", 138: "NBNS",
              139: "NBNS", 445: "SMB"}
ICMP_NAMES = {0: "Echo Reply", 3: "Destination Unreachable", 4: "Source Quench", 5: "Redirect",
              8: "Echo", 9: "Router Advertisment", 10: "Router Selection", 11: "Time Exceed",
              12: "Parameter Problem", 13: "Timestamp Request", 14: "Timestamp Reply",
              15: "Information Request", 16: "Information Reply", 17: "Address Mask Request",
              18: "Address Mask Reply", 30: "Traceroute", 37: "Domain Name Request",
              38: "Domain Name Reply"}
TCP_FLAGS = ((0x02, "Syn"), (0x01, "Fin"), (0x04, "Rst"), (0x08, "Psh"), (0x10, "Ack"),
             (0x20, "Urg"))


def protocol_name(name, port1, port2):
    port_name = PORT_NAMES.get(port1) or PORT_NAMES.get(port2)
    return name + "-" + port_name if port_name else name


def summary(fields, d):
    """Time, Source, Destination, Protocol, Size, Info, S Port, D Port of a whole datagram."""
    n = len(d)
    h = 4 * (d[0] & 0x0F)
    address = lambda at: ".".join(str(b) for b in d[at:at + 4])
    columns = ["%02d:%02d:%02d.%03d" % (fields[4], fields[5], fields[6], fields[7]),
               address(12), address(16), "Unknown", str(n), "", "---", "---"]
    protocol = d[9]
    fragment = struct.unpack(">H", d[6:8])[0] & 0x1FFF
    if protocol == 6:
        sport, dport, seq, ack = struct.unpack(">HHII", d[h:h + 12])
        flags = ".".join(name for bit, name in TCP_FLAGS if d[h + 13] & bit)
        columns[3] = protocol_name("TCP", sport, dport)
        columns[5] = ("[%s]" % flags if flags else "") + " Seq=%d Ack=%d" % (seq, ack)
        columns[6:8] = [str(sport), str(dport)]
    elif protocol == 17 and fragment:
        columns[3], columns[5], columns[6:8] = "UDP", "Datagram Continuation", ["", ""]
    elif protocol == 17:
        sport, dport = struct.unpack(">HH", d[h:h + 4])
        columns[3], columns[5] = protocol_name("UDP", sport, dport), "Datagram"
        columns[6:8] = [str(sport), str(dport)]
    elif protocol == 1:
        columns[3] = "ICMP"
        columns[5] = ICMP_NAMES.get(d[h], "Unknown %d" % d[h])
    elif protocol == 2:
        columns[3] = "IGMP"
    return columns


def csv_export(records):
    lines = ["No.,Time,Source,Destination,Protocol,Size,Info,S Port,D Port\r\n"]
    for number, (fields, d) in enumerate(records, 1):
        lines.append(",".join([str(number)] + summary(fields, d)) + "\r\n")
    return "".join(lines).encode("cp932")


def dump(d):
    lines = []
    for offset in range(0, len(d), 16):
        line = d[offset:offset + 16]
        hex_part = "".join(("%02X" % line[i] if i < len(line) else "  ") + (" " if i % 2 else "")
                           for i in range(16))
        text = "".join((chr(b) if 0x20 <= b <= 0x7E else ".") for b in line).ljust(16)
        lines.append("%08X: %s [%s]\r\n" % (offset, hex_part, text))
    return "".join(lines)


def text_export(records):
    out = []
    for number, (fields, d) in enumerate(records, 1):
        c = summary(fields, d)
        out.append("############################### No.%d ###############################\r\n"
                   "TIME %s\r\n送信元 %s(%s)\r\n送信先 %s(%s)\r\nｻｲｽﾞ %s ﾊﾞｲﾄ\r\nﾌﾟﾛﾄｺﾙ %s\r\n情報 %s\r\n"
                   % (number, c[0], c[1], c[6], c[2], c[7], c[4], c[3], c[5]))
        out.append(dump(d) + "\r\n")
    return "".join(out).encode("cp932")


def main():
    if len(sys.argv) != 3 or sys.argv[1] != "dump":
        print(__doc__)
        return 3
    data = open(sys.argv[2], "rb").read()
    readers = {b"qvc\0": read_qvc, b"qvt\0": read_qvt, b"QVP ": read_qvp}
    for item in readers.get(data[:4], read_capture)(data):
        print(item)
    return 0


if __name__ == "__main__":
    sys.exit(main())
