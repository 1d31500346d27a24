#!/usr/bin/env bash
# Makes the capture files that the capture interop test imports, with Debian's capture tools
# (text2pcap, editcap, mergecap from wireshark-common), on the building host:
#   mix.pcap          microseconds; IPv4 (TCP, UDP, ICMP with IHL 6, IGMP, a UDP continuation,
#                     protocol 47) among ARP and IPv6 frames
#   ns9.pcapng        the same with if_tsresol 9 (nanoseconds)
#   snap.pcapng       ns9.pcapng cut to 60 bytes a frame
#   sections.pcapng   two sections: the tool's own pcapng of the frames, then snap.pcapng
#   merged.pcapng     mix.pcap and ns.pcap merged: two interfaces of different resolutions
#   ns.pcap           a nanosecond pcap file, which the program refuses
#   make_capture_fixtures.sh OUTDIR
set -euo pipefail
out=$1
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A text2pcap hex dump: each frame after its local time with nine fraction digits.
python3 - >"$work/dump.txt" <<'PY'
import struct, time

def checksum(b):
    b += b"\0" * (len(b) % 2)
    s = sum(struct.unpack("!%dH" % (len(b) // 2), b))
    s = (s >> 16) + (s & 0xFFFF)
    return ~(s + (s >> 16)) & 0xFFFF

def ip(proto, payload, dst=(192, 168, 1, 20), frag=0, ihl=5):
    options = b"\x01" * (4 * (ihl - 5))
    h = struct.pack("!BBHHHBBH4s4s", 0x40 | ihl, 0, 20 + len(options) + len(payload), 0x1C46,
                    frag, 64, proto, 0, bytes((192, 168, 1, 10)), bytes(dst)) + options
    return h[:10] + struct.pack("!H", checksum(h)) + h[12:] + payload

def tcp(sport, dport, flags, data=b""):
    return struct.pack("!HHIIBBHHH", sport, dport, 0x11223344, 0x55667788, 0x50, flags, 64240,
                       0x1234, 0) + data

def udp(sport, dport, data=b""):
    return struct.pack("!HHHH", sport, dport, 8 + len(data), 0x4321) + data

def ethernet(ether_type, payload):
    return bytes.fromhex("00112233445566778899aabb") + struct.pack("!H", ether_type) + payload

frames = [
    ethernet(0x0800, ip(6, tcp(1025, 80, 0x02))),
    ethernet(0x0806, bytes.fromhex("0001080006040001") + bytes(20)),
    ethernet(0x86DD, bytes.fromhex("6000000000081140") + bytes(32) + udp(5353, 5353)),
    ethernet(0x0800, ip(17, udp(53, 1030, b"\x12\x34\x81\x80" + bytes(8) + b"\x03www\x07example\x03com\x00"))),
    ethernet(0x0800, ip(1, bytes((8, 0, 0xF7, 0xFF, 0, 1, 0, 1)) + b"abcdefgh", ihl=6)),
    ethernet(0x0800, ip(6, tcp(1025, 80, 0x18, b"GET / HTTP/1.0\r\nHost: \x80\x7f~ \r\n\r\n"))),
    ethernet(0x0800, ip(2, bytes((0x16, 0, 0xFA, 0x04, 224, 0, 0, 251)), dst=(224, 0, 0, 251))),
    ethernet(0x0800, ip(17, bytes(range(48)), frag=185)),
    ethernet(0x0800, ip(47, bytes(24))),
    ethernet(0x0800, ip(6, tcp(80, 1025, 0x11))),
]
for i, frame in enumerate(frames):
    stamp = time.strftime("%Y-%m-%d %H:%M:%S", time.localtime(1700000000 + 61 * i))
    print("%s.%09d" % (stamp, (i * 123456789 + 987654321) % 1000000000))
    for offset in range(0, len(frame), 16):
        print("%06x  %s" % (offset, " ".join("%02x" % b for b in frame[offset:offset + 16])))
    print()
PY

format='%Y-%m-%d %H:%M:%S.%f'
text2pcap -q -F pcap -t "$format" "$work/dump.txt" "$out/mix.pcap"
text2pcap -q -t "$format" "$work/dump.txt" "$work/tool.pcapng"
editcap -F nsecpcap "$work/tool.pcapng" "$out/ns.pcap"
editcap -F pcapng "$out/ns.pcap" "$out/ns9.pcapng"
editcap -s 60 "$out/ns9.pcapng" "$out/snap.pcapng"
cat "$work/tool.pcapng" "$out/snap.pcapng" >"$out/sections.pcapng"
mergecap -F pcapng -w "$out/merged.pcapng" "$out/mix.pcap" "$out/ns.pcap"
