#!/usr/bin/env python3
"""Writer and reader of .qvg communication-settings files, kept apart from the program's own code
so that each can check the other.

A document is a dict from field name to value: integers (read back as unsigned 32-bit values) for
the words of the header, the blocks and the FL-net records, bytes for strings (code page 932) and
byte arrays. Per-port names end in [0] (Port 1) or
[1] (Port 2); per-kind names in [port][kind] with kinds message, sent, received.

    python3 tools/qvg.py dump FILE.qvg    prints every field as name=value (bytes in hex)
"""
import struct
import sys

HEADER_SIZE = 0x200
BLOCK_SIZE = 0x100
ITEMS_OFFSET = HEADER_SIZE + 5 * BLOCK_SIZE
WRITTEN_VERSION = 103
VERSIONS = range(100, 104)
FLNET_RECORD_SIZE = 80
FLNET_NAME_FIELD = 18

LOOPBACK = int.from_bytes(bytes([127, 0, 0, 1]), "little")  # network order, read as a LE word

# Words of each port's 256-byte block at 0x200 (Port 1) and 0x300 (Port 2): word j at 4 x j.
PORT_WORDS = [
    ("use_port", (1, 0)),
    ("connection_type", 0),
    ("receive_buffer_size", 4096),
    ("client_remote_address", LOOPBACK),
    ("client_local_port", 0),
    ("client_remote_port", 1024),
    ("client_connect_timeout_on", 0),
    ("client_reconnect", 0),
    ("client_connect_timeout", 2000),
    ("client_reconnect_wait", 1000),
    ("server_listen_port", 1024),
    ("server_backlog", 5),
    ("udp_cast_mode", 0),
    ("udp_destination_address", LOOPBACK),
    ("udp_destination_port", 1024),
    ("udp_bind_mode", 0),
    ("udp_bind_address", LOOPBACK),
    ("udp_bind_port", 1024),
    ("udp_ignore_reset_errors", 1),
    ("udp_restart", 0),
    ("udp_restart_wait", 3000),
    ("udp_receive_buffer", 0),
    ("com_port", 0),
    ("baud_rate", 9600),
    ("data_bits", 0),
    ("parity", 0),
    ("stop_bits", 0),
    ("flow_control", 0),
    ("serial_retry_period", 0),
    ("serial_framing", 0),
    ("framing_size", 32),
    ("serial_input_queue", 2048),
    ("serial_output_queue", 2048),
    ("cts_output_flow", 0),
    ("dsr_output_flow", 0),
    ("dtr_control", 0),
    ("rts_control", 0),
    ("dsr_sensitivity", 0),
    ("xon_xoff_input", 0),
    ("xon_xoff_output", 0),
    ("tx_continue_on_xoff", 0),
    ("xon_limit", 2048),
    ("xoff_limit", 2048),
    ("xon_char", 0x11),
    ("xoff_char", 0x13),
]

# Words of each port's action block at 0x400 / 0x500. Word 12 holds the fill byte zero-extended.
ACTION_WORDS = [
    ("receive_timeout_on", 0),
    ("receive_timeout", 5000),
    ("periodic_send_on", 0),
    ("periodic_send_period", 3000),
    ("random_data_on", 0),
    ("regenerate_every_send", 0),
    ("regenerate_interval", 10),
    ("close_after_send", 0),
    ("close_after_receive", 0),
    ("auto_reply_on", 0),
    ("reply_target", 0),
    ("reply_data", 0),
    ("fill_byte", 0),
    ("dll_mode", 0),
    ("script_mode", 0),
]

DISPLAY_OFFSET = 0x600
KINDS = 3  # message, sent, received
ROW_BACK_DEFAULTS = (0xDDFFFF, 0xDDFFDD)  # RGB(255, 255, 221), RGB(221, 255, 221)
ROW_TEXT_DEFAULTS = (0x000000, 0xA00000, 0x0000A0)
LOG_FILTER_DEFAULTS = (1, 15, 15)

# The counted items after the blocks: (name, first version carrying it).
ITEMS = [
    ("name", 100),
    ("comment", 100),
    ("random_areas[0]", 100),
    ("random_areas[1]", 100),
    ("dll_path[0]", 100),
    ("dll_path[1]", 100),
    ("dll_data[0]", 100),
    ("dll_data[1]", 100),
    ("send_editor_data", 100),
    ("serial_delimiters[0]", 101),
    ("serial_delimiters[1]", 101),
    ("send_editor_markers", 102),
    ("detail_dump_markers", 102),
    ("socket_options[0]", 102),
    ("socket_options[1]", 102),
    ("script_text[0]", 103),
    ("script_text[1]", 103),
]
SOCKET_OPTIONS_SIZE = 1024


class QvgError(Exception):
    """A file the program's reader refuses; code is the failure code it returns."""

    def __init__(self, code, reason):
        super().__init__(f"{reason} ({code})")
        self.code = code


def _per_port(default, port):
    return default[port] if isinstance(default, tuple) else default


def fixed_words():
    """(file offset, field name, default) of every 32-bit value of the header and blocks."""
    words = [(0x20, "start_on_load", 0)]
    for port in range(2):
        for j, (name, default) in enumerate(PORT_WORDS):
            words.append((0x200 + BLOCK_SIZE * port + 4 * j, f"{name}[{port}]",
                          _per_port(default, port)))
        for k, (name, default) in enumerate(ACTION_WORDS):
            words.append((0x400 + BLOCK_SIZE * port + 4 * k, f"{name}[{port}]", default))
        words.append((DISPLAY_OFFSET + 0x10 * port, f"row_back_color[{port}]", ROW_BACK_DEFAULTS[port]))
        for kind in range(KINDS):
            words.append((DISPLAY_OFFSET + 0x10 * port + 4 + 4 * kind,
                          f"row_text_color[{port}][{kind}]", ROW_TEXT_DEFAULTS[kind]))
            words.append((DISPLAY_OFFSET + 0x24 + 0xC * port + 4 * kind,
                          f"log_filter[{port}][{kind}]", LOG_FILTER_DEFAULTS[kind]))
    words.append((DISPLAY_OFFSET + 0x20, "time_format", 1))
    return words


def flnet_defaults(port):
    values = {
        f"flnet_address[{port}]": LOOPBACK,
        f"flnet_node[{port}]": port + 1,
        f"flnet_name[{port}]": b"",
    }
    for i, value in enumerate((8 * port, 8, 128 * port, 128, 200, 50)):
        values[f"flnet_value[{port}][{i}]"] = value
    return values


def defaults():
    """Every field of a default document (the paths excepted: they are not stored)."""
    values = {name: default for _, name, default in fixed_words()}
    values.update({"name": b"Default", "comment": b"Please Config Comment..."})
    for name, _ in ITEMS[2:]:
        values[name] = bytes(SOCKET_OPTIONS_SIZE) if name.startswith("socket_options") else b""
    for port in range(2):
        values.update(flnet_defaults(port))
    return values


def checksum(data):
    """XOR of the data as little-endian 32-bit words, the last one padded with zeros."""
    padded = data + bytes(-len(data) % 4)
    result = 0
    for (word,) in struct.iter_unpack("<I", padded):
        result ^= word
    return result


def _flnet_record(values, port):
    record = bytearray(FLNET_RECORD_SIZE)
    struct.pack_into("<IH", record, 0, values[f"flnet_address[{port}]"] & 0xFFFFFFFF,
                     values[f"flnet_node[{port}]"] & 0xFFFF)
    name = values[f"flnet_name[{port}]"][:FLNET_NAME_FIELD - 1]
    record[6:6 + len(name)] = name
    for i in range(6):
        struct.pack_into("<I", record, 0x18 + 4 * i, values[f"flnet_value[{port}][{i}]"] & 0xFFFFFFFF)
    return bytes(record)


def write(values, version=WRITTEN_VERSION):
    """The file bytes of a document; fields missing from values take their defaults."""
    document = defaults()
    document.update(values)
    fixed = bytearray(ITEMS_OFFSET)
    fixed[0:4] = b"qvg\0"
    struct.pack_into("<II", fixed, 0x10, version, HEADER_SIZE)
    for offset, name, _ in fixed_words():
        struct.pack_into("<I", fixed, offset, document[name] & 0xFFFFFFFF)
    rest = bytearray()
    for name, first_version in ITEMS:
        if version >= first_version:
            rest += struct.pack("<I", len(document[name])) + document[name]
    rest += _flnet_record(document, 0) + _flnet_record(document, 1)
    data = fixed + rest
    struct.pack_into("<I", data, 0x18, len(data))
    struct.pack_into("<I", data, 0x1C, checksum(bytes(data)))
    return bytes(data)


def read(data):
    """Every field of a file as the layout defines it, FL-net records included; raises QvgError
    with the program's failure code for a file it refuses."""
    if len(data) < 4 or data[:4] != b"qvg\0":
        raise QvgError(-2, "bad magic")
    header = data[:0x20].ljust(0x20, b"\0")
    version, _, size, stored = struct.unpack_from("<IIII", header, 0x10)
    if version not in VERSIONS:
        raise QvgError(-3, f"version {version}")
    if size != len(data) or size < ITEMS_OFFSET:
        raise QvgError(-4, f"size field {size}, file {len(data)}")
    if checksum(data[:0x1C] + bytes(4) + data[0x20:]) != stored:
        raise QvgError(-5, "checksum")

    values = {"version": version}
    for offset, name, _ in fixed_words():
        values[name] = struct.unpack_from("<I", data, offset)[0]
    for port in range(2):
        values[f"fill_byte[{port}]"] &= 0xFF
    offset = ITEMS_OFFSET
    for name, first_version in ITEMS:
        if version < first_version:
            continue
        count = struct.unpack_from("<I", data, offset)[0] if offset + 4 <= len(data) else len(data)
        if offset + 4 + count > len(data):
            raise QvgError(-4, f"item {name} runs past the end")
        values[name] = data[offset + 4:offset + 4 + count]
        offset += 4 + count
    for port in range(2):
        if offset + FLNET_RECORD_SIZE > len(data):
            break
        record = data[offset:offset + FLNET_RECORD_SIZE]
        address, node = struct.unpack_from("<IH", record)
        values[f"flnet_address[{port}]"], values[f"flnet_node[{port}]"] = address, node
        values[f"flnet_name[{port}]"] = record[6:6 + FLNET_NAME_FIELD].split(b"\0", 1)[0]
        for i in range(6):
            values[f"flnet_value[{port}][{i}]"] = struct.unpack_from("<I", record, 0x18 + 4 * i)[0]
        offset += FLNET_RECORD_SIZE
    return values


def format_value(value):
    return value.hex() if isinstance(value, bytes) else str(value)


def main(argv):
    if len(argv) != 3 or argv[1] != "dump":
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    with open(argv[2], "rb") as file:
        values = read(file.read())
    for name, value in values.items():
        print(f"{name}={format_value(value)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
