#!/usr/bin/env python3
"""Cross-checks the program's .qvg reader and writer against tools/qvg.py, which was written from
the file layout alone.

    qvg_interop_test.py PATH/TO/qvg_probe.exe

Runs the probe under Wine (tools/wine-exec.sh) to
  - load files that tools/qvg.py wrote as versions 100 to 103, and compare every field it prints;
  - save a document with chosen values, and parse the file with tools/qvg.py;
  - load a missing file, which leaves a fresh document, and compare it with tools/qvg.py's defaults.
"""
import random
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
import qvg  # noqa: E402

sys.path.insert(0, str(Path(__file__).resolve().parent))
from wine_probe import run_probe, windows_path  # noqa: E402

TEXT_FIELDS = ("name", "comment", "dll_path[0]", "dll_path[1]", "flnet_name[0]", "flnet_name[1]")
FIRST_VERSION = dict(qvg.ITEMS)


def printed_form(value):
    return value.hex() if isinstance(value, bytes) else str(value & 0xFFFFFFFF)


def sample_values(seed):
    """A value for every field, each different from its default."""
    rng = random.Random(seed)
    values = {}
    for name, default in qvg.defaults().items():
        while True:
            if name.startswith("socket_options"):
                value = rng.randbytes(qvg.SOCKET_OPTIONS_SIZE)
            elif name in TEXT_FIELDS:
                text = "".join(rng.choice("aZ9 _.\\ソ表設定ﾃｽﾄ") for _ in range(rng.randrange(1, 12)))
                value = text.encode("cp932")
            elif isinstance(default, bytes):
                value = rng.randbytes(rng.randrange(1, 200))
            elif name.startswith("fill_byte") or name.startswith("flnet_node"):
                value = rng.randrange(1, 256 if name.startswith("fill_byte") else 65536)
            else:
                value = rng.choice((rng.randrange(1 << 32), rng.randrange(1, 100000)))
            if value != default:
                break
        values[name] = value
    return values


def compare(case, expected, actual, failures):
    for name, value in expected.items():
        want = printed_form(value)
        got = actual.get(name)
        if got != want:
            failures.append(f"{case}: {name} is {got}, expected {want}")


def check_loads(probe, folder, failures):
    for version in qvg.VERSIONS:
        values = sample_values(version)
        # Only the low byte of the fill byte's word counts.
        values["fill_byte[1]"] = 0x123456AB
        path = folder / f"version{version}.qvg"
        path.write_bytes(qvg.write(values, version))
        printed = run_probe(probe, "load", windows_path(path))

        expected = qvg.defaults()
        for name, value in values.items():
            carried = version >= FIRST_VERSION.get(name, qvg.VERSIONS[0])
            if carried and not name.startswith("flnet_"):
                expected[name] = value
        expected["fill_byte[1]"] = 0xAB
        case = f"load version {version}"
        if printed.get("result") != "0":
            failures.append(f"{case}: result {printed.get('result')}")
        compare(case, expected, printed, failures)


def check_save(probe, folder, failures):
    values = sample_values(7)
    values["flnet_name[0]"] = b"A-NAME-LONGER-THAN-ITS-FIELD"
    values_path = folder / "values.txt"
    values_path.write_text("".join(f"{name}={printed_form(value)}\n" for name, value in values.items()))
    path = folder / "saved.qvg"
    printed = run_probe(probe, "save", windows_path(path), windows_path(values_path))
    if printed.get("result") != "0":
        failures.append(f"save: result {printed.get('result')}")
        return
    data = path.read_bytes()
    try:
        parsed = qvg.read(data)
    except qvg.QvgError as error:
        failures.append(f"save: tools/qvg.py refuses the file: {error}")
        return
    if parsed["version"] != qvg.WRITTEN_VERSION:
        failures.append(f"save: version {parsed['version']}")
    if qvg.checksum(data) != 0:
        failures.append("save: the stored checksum does not cancel the XOR of the rest")
    values["flnet_name[0]"] = values["flnet_name[0]"][:qvg.FLNET_NAME_FIELD - 1]
    compare("save", values, {name: printed_form(value) for name, value in parsed.items()}, failures)


def check_defaults(probe, folder, failures):
    printed = run_probe(probe, "load", windows_path(folder / "missing.qvg"))
    if printed.get("result") != "-1":
        failures.append(f"missing file: result {printed.get('result')}")
    compare("defaults", qvg.defaults(), printed, failures)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    probe = argv[1]
    failures = []
    with tempfile.TemporaryDirectory(prefix="qvg-interop-") as folder:
        for check in (check_loads, check_save, check_defaults):
            before = len(failures)
            check(probe, Path(folder), failures)
            print(f"{check.__name__}: {len(failures) - before} mismatches")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
