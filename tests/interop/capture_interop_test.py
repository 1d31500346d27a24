#!/usr/bin/env python3
"""Cross-checks the capture's files against tests/interop/capture_files.py, written from the
file layouts alone.

    capture_interop_test.py PATH/TO/capture_probe.exe FIXTURE_DIR

Runs the probe under Wine (tools/wine-exec.sh) to
  - write colour-filter, trigger and packet log files with known values, and the default files
    of a first use, and parse them here;
  - import the capture files that tests/interop/make_capture_fixtures.sh made with Debian's
    capture tools, and compare the CSV and text exports byte for byte with what this reader
    gives, and the packet log written from them with the records read here; a nanosecond pcap
    file is refused;
  - import a packet log written here.
"""
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import capture_files as cf  # noqa: E402
import wine_probe  # noqa: E402
from wine_probe import windows_path  # noqa: E402

READ_ERROR = 13007
FIXTURES = ("mix.pcap", "ns9.pcapng", "snap.pcapng", "sections.pcapng", "merged.pcapng")


def run_probe(probe, *args):
    printed = wine_probe.run_probe(probe, *args)
    if "result" not in printed:
        raise RuntimeError(f"probe {args[0]} printed no result: {printed}")
    return int(printed["result"])


def check(failures, case, expected, actual):
    if expected != actual:
        failures.append(f"{case}:\n  expected {expected!r}\n  actual   {actual!r}")


def check_samples(probe, folder, failures):
    check(failures, "samples", 0, run_probe(probe, "samples", windows_path(folder)))
    filters = cf.read_qvc((folder / "sample.qvc").read_bytes())
    check(failures, "sample.qvc", [
        {"checked": 1, "source_address": "192.168.1.1", "dest_address": "10.10.10.10",
         "protocol": 2, "source_port": 53, "dest_port": 1030, "text_color": 0x123456,
         "back_color": 0xABCDEF, "reserved": 0, "conditions": [(9, 17), (0xFFFFFFFF, 0x1FF)],
         "name": "ﾃｽﾄ表".encode("cp932")},
        {"checked": 0, "source_address": "0.0.0.0", "dest_address": "0.0.0.0", "protocol": 0,
         "source_port": 0, "dest_port": 0, "text_color": 0, "back_color": 0, "reserved": 0,
         "conditions": [], "name": b""}], filters)
    triggers = cf.read_qvt((folder / "sample.qvt").read_bytes())
    check(failures, "sample.qvt", [
        {"enabled": 1, "first_time_only": 1, "kind": 2, "run_program": 1, "save_latest_log": 0,
         "source_address": "1.2.3.4", "dest_address": "0.0.0.0", "protocol_kind": 4,
         "source_port": 0, "dest_port": 443, "conditions": [(33, 4)], "name": b"trigger",
         "seconds": 30, "program": b"C:\\tools\\run.exe", "arguments": b'-x "a b"',
         "directory": b""},
        cf.read_trigger_entry(bytes(73))], triggers)
    check(failures, "sample.qvp", [
        ((2024, 3, 2, 5, 14, 59, 1, 999), b"\x45\x00\x00\x14"),
        ((0,) * 8, b""),  # 16 bytes of time and no datagram read as a fresh record
        ((2024, 3, 2, 5, 14, 59, 3, 999), b"\xA5" * 300)], cf.read_qvp((folder / "sample.qvp").read_bytes()))
    default_filters = (folder / "default.qvc").read_bytes()
    check(failures, "default.qvc size", 788, len(default_filters))
    rules = cf.read_qvc(default_filters)
    check(failures, "default.qvc rules",
          [(b"NBNS", 137, 0), (b"NBNS", 0, 137), (b"NBNS", 138, 0), (b"NBNS", 0, 138),
           (b"NBNS", 139, 0), (b"NBNS", 0, 139), (b"SMB", 445, 0), (b"SMB", 0, 445),
           (b"HTTP", 80, 0), (b"HTTP", 0, 80), (b"POP3", 110, 0), (b"POP3", 0, 110),
           (b"SMTP", 25, 0), (b"SMTP", 0, 25), (b"DNS", 53, 0), (b"DNS", 0, 53)],
          [(r["name"], r["source_port"], r["dest_port"]) for r in rules])
    check(failures, "default.qvt", b"qvt\0" + bytes(4), (folder / "default.qvt").read_bytes())


def check_import(probe, source, folder, failures, expected_records):
    out = folder / (source.name + ".out")
    result = run_probe(probe, "import", windows_path(source), windows_path(out))
    check(failures, f"{source.name} result", 0, result)
    if result != 0:
        return
    csv = Path(str(out) + ".csv").read_bytes()
    check(failures, f"{source.name} CSV", cf.csv_export(expected_records), csv)
    check(failures, f"{source.name} text", cf.text_export(expected_records),
          Path(str(out) + ".txt").read_bytes())
    check(failures, f"{source.name} packet log", expected_records,
          cf.read_qvp(Path(str(out) + ".qvp").read_bytes()))
    check(failures, f"{source.name} CSV after the packet log", csv,
          Path(str(out) + ".again.csv").read_bytes())


def main():
    probe, fixtures = sys.argv[1], Path(sys.argv[2])
    failures = []
    with tempfile.TemporaryDirectory() as name:
        folder = Path(name)
        check_samples(probe, folder, failures)
        for fixture in FIXTURES:
            path = fixtures / fixture
            records = cf.imported_records(cf.read_capture(path.read_bytes()))
            if not records:
                failures.append(f"{fixture}: the fixture holds no IPv4 packet")
            check_import(probe, path, folder, failures, records)
        check(failures, "nanosecond pcap", READ_ERROR,
              run_probe(probe, "import", windows_path(fixtures / "ns.pcap"), windows_path(folder / "ns")))
        written = folder / "written.qvp"
        records = [((2023, 11, 4, 14, 22, 13, 20, 5), bytes.fromhex("450000140000000040ff0000c0a80101c0a80102")),
                   ((2023, 11, 4, 14, 22, 13, 21, 6), bytes.fromhex("4600001c0000400040110000c0a80101e0000001" "94040000" "00350035000800ff"))]
        written.write_bytes(cf.write_qvp(records))
        check_import(probe, written, folder, failures, records)
    for failure in failures:
        print(failure)
    print("capture interop:", "FAILED" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
