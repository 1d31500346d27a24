#!/usr/bin/env python3
"""End to end: the real program's Port 1 as a serial port on a pseudo-terminal that socat makes
and the Wine prefix links as a COM device, driven through qvdriver.exe.

    serial_end_to_end_test.py BIN_FOLDER

Under Wine a pseudo-terminal opens and takes its line settings, but reading its modem status
fails (error 50), so the worker ends at its first look at the line: what is proven here is the
opening, the set-up, the device names, the failure paths and the automatic restart. The data
path, the line events and the control commands are proven through the same worker on a scripted
device (engine_tests, SerialTest).

Every wait is for a condition with a generous deadline: the emulated machine that runs the
tests is often heavily loaded, and nothing here depends on how fast the program is.
"""
import os
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import port_end_to_end_test as e2e  # noqa: E402
from port_end_to_end_test import EndToEndCase, qvg, windows_path  # noqa: E402

START, STOP = 32804, 32806
SERIAL = 3
STARTED, ENDED, STOPPED = "シリアル処理開始", "シリアル処理終了", "シリアル処理は中断しました"
OPEN_FAILED, MODEM_STATUS_FAILED = "COMポートオープンエラー", "GetCommModemStatus エラー"
SERIAL_STARTED, SERIAL_ENDED, COM_OPEN_FAILED, MODEM_STATUS_ERROR = 20001, 20002, 20003, 20040
ERROR_FILE_NOT_FOUND, ERROR_NOT_SUPPORTED = 2, 50
DOSDEVICES = Path(os.environ["WINEPREFIX"]) / "dosdevices"
PROFILE_KEY = r"HKCU\Software\vantrel\Quorvex\CMN"
WAIT = 120  # seconds: a deadline for things that take a second or two on an idle machine
RETRY_PERIOD = 300  # ms
QUIET = 3.0  # seconds without a new row that show a stopped chain: ten retry periods


def serial_document(com_index, **fields):
    """Port 1 as a serial port on COM<com_index + 1>, Port 2 off; fields overrides."""
    document = qvg.defaults()
    document.update({"name": b"Serial", "use_port[0]": 1, "use_port[1]": 0,
                     "connection_type[0]": SERIAL, "com_port[0]": com_index})
    document.update(fields)
    return document


def logged_messages(folder):
    """(message code, error code) of every serial port's message record in the folder's auto-save
    files, in order (the rows show no error codes)."""
    messages = []
    for path in sorted(folder.glob("AUTOSAVE*.qvl")):
        data = path.read_bytes()
        offset = 32  # the file's header
        while offset + 4 <= len(data):
            (length,) = struct.unpack_from("<I", data, offset)
            record = data[offset + 4:offset + 4 + length]
            offset += 4 + length
            if len(record) < 24:
                break
            _, _, kind, _, code, error = struct.unpack_from("<6i", record)
            if kind == 0 and 20000 <= code < 21000:
                messages.append((code, error))
    return messages


def wine(*arguments):
    subprocess.run([str(e2e.ROOT / "tools" / "wine-exec.sh"), *arguments],
                   capture_output=True, check=True, timeout=WAIT)


def wait_until(condition, what, deadline=WAIT):
    end = time.monotonic() + deadline
    while not condition():
        if time.monotonic() > end:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


class SerialEndToEndTest(EndToEndCase):
    def setUp(self):
        super().setUp()
        self.links = []
        self.lines = Path(tempfile.mkdtemp(prefix="quorvex-pty-"))
        # Two pseudo-terminals joined back to back; the program opens one end.
        self.socat = subprocess.Popen(
            ["socat", f"pty,raw,echo=0,link={self.lines / 'a'}",
             f"pty,raw,echo=0,link={self.lines / 'b'}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: (self.lines / "a").exists() and (self.lines / "b").exists(),
                   "socat's pseudo-terminals")
        for name in ("com5", "com10"):
            self.link(name, self.lines / "a")
        # The program's auto-save files carry the error codes.
        for entry, kind, value in (("AUTO", "REG_DWORD", "1"),
                                   ("PATH", "REG_SZ", windows_path(self.folder))):
            wine("reg", "add", PROFILE_KEY, "/v", entry, "/t", kind, "/d", value, "/f")

    def tearDown(self):
        super().tearDown()
        # The profile is shared with the other tests of the program: back to its defaults.
        for entry in ("AUTO", "PATH"):
            subprocess.run([str(e2e.ROOT / "tools" / "wine-exec.sh"), "reg", "delete",
                            PROFILE_KEY, "/v", entry, "/f"], capture_output=True, timeout=WAIT)
        for link in self.links:
            link.unlink(missing_ok=True)
        self.socat.terminate()
        self.socat.wait(30)

    def link(self, name, target):
        link = DOSDEVICES / name
        link.unlink(missing_ok=True)
        link.symlink_to(target)
        self.links.append(link)

    def run_to_its_end(self, document):
        """Starts the program on the document, starts Port 1, waits for the port's end and
        closes the program; the rows and the logged (code, error) messages."""
        program = self.start(document)
        program.command(START)
        rows = program.wait_for_count(ENDED, timeout=WAIT)
        program.wait_for_status("None", timeout=WAIT)
        self.close(program)
        messages = logged_messages(self.folder)
        for path in self.folder.glob("AUTOSAVE*.qvl"):
            path.unlink()
        return rows, messages

    def test_start_opens_the_port_and_ends_at_the_first_look_at_the_line(self):
        for what, com_index in (("COM5", 4), ("COM index 9 opens COM10", 9)):
            with self.subTest(what):
                rows, messages = self.run_to_its_end(serial_document(com_index))
                self.assertEqual([STARTED, MODEM_STATUS_FAILED, ENDED], rows)
                self.assertEqual([(SERIAL_STARTED, 0), (MODEM_STATUS_ERROR, ERROR_NOT_SUPPORTED),
                                  (SERIAL_ENDED, 0)], messages)

    def test_a_missing_port_fails_to_open(self):
        (DOSDEVICES / "com100").unlink(missing_ok=True)
        rows, messages = self.run_to_its_end(serial_document(99))
        self.assertEqual([STARTED, OPEN_FAILED, ENDED], rows)
        self.assertEqual([(SERIAL_STARTED, 0), (COM_OPEN_FAILED, ERROR_FILE_NOT_FOUND),
                          (SERIAL_ENDED, 0)], messages)

    def test_a_failing_line_restarts_after_the_retry_period_until_stopped(self):
        program = self.start(serial_document(4, **{"serial_retry_period[0]": RETRY_PERIOD}))
        program.command(START)
        rows = program.wait_for_count(STARTED, 3, timeout=WAIT)
        self.assertEqual([STARTED, MODEM_STATUS_FAILED, ENDED] * 2 + [STARTED], rows[:7])

        # The command is posted: the chain has ended once the log stays unchanged for many
        # retry periods (a chain that went on would change it until the deadline).
        program.command(STOP)
        settled = self.wait_until_settled(program)
        self.assertIn(settled[-1], (STOPPED, ENDED))
        self.assertEqual("None", program.status().strip())
        self.close(program)

    def wait_until_settled(self, program):
        end = time.monotonic() + WAIT
        rows, since = program.contents(), time.monotonic()
        while time.monotonic() - since < QUIET:
            self.assertLess(time.monotonic(), end, f"the port goes on restarting: {rows[-6:]}")
            time.sleep(0.5)
            latest = program.contents()
            if latest != rows:
                rows, since = latest, time.monotonic()
        return rows


def main():
    e2e.BIN = Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main()
