// Import of the two published capture formats, little-endian only: pcap with microsecond time
// stamps (magic 0xA1B2C3D4) and pcapng (sections, interface descriptions with if_tsresol,
// enhanced and obsolete packet blocks). Only IPv4 in Ethernet frames is kept: the 14-byte
// Ethernet header is dropped and the datagram stored with the local time of its time stamp.
#pragma once
#include <vector>

#include "capture/CaptureFileReader.h"
#include "capture/PacketRecord.h"

const DWORD kPcapMagic = 0xA1B2C3D4;
const DWORD kPcapngSectionType = 0x0A0D0D0A;

// The packets that follow the magic, which the caller has read. False when the file is damaged:
// cut inside a header or packet, a length beyond the file or its block, a block total length
// below the smallest block, a byte order or time-stamp resolution that cannot be taken. The
// caller then keeps none of the packets. File errors throw CFileException*.
bool ImportPcap(CCaptureFileReader& reader, std::vector<CPacketRecord>& records);
bool ImportPcapng(CCaptureFileReader& reader, std::vector<CPacketRecord>& records);

// The record of one frame, when it is IPv4 over Ethernet with at least a minimal IPv4 header;
// seconds since 1970 that the local-time conversion cannot take leave a zero time.
bool MakeRecordFromFrame(std::span<const BYTE> frame, ULONGLONG seconds, unsigned milliseconds,
                         CPacketRecord& record);
