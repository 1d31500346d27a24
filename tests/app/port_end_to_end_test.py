#!/usr/bin/env python3
"""End to end: the real program's Port 1 as a TCP client against Python peers on 127.0.0.1,
driven as a user would through qvdriver.exe (commands, typing into the send-data editor,
status panes, log rows).

    port_end_to_end_test.py BIN_FOLDER [TEST_CLASS...]

BIN_FOLDER holds Quorvex.exe and qvdriver.exe; they run under Wine through tools/wine-exec.sh.
The settings documents are written with tools/qvg.py. Run inside the loopback-only network
namespace of tools/test.sh: the peers listen on 127.0.0.1 only.
"""
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))
import qvg  # noqa: E402

BIN = None  # set from the command line

START, STOP, SEND = 32804, 32806, 32808
LARGE = 4 * 1024 * 1024
RANDOM_LONG_BE = 7


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def pattern(size):
    return bytes((i * 7 + i // 251) & 0xFF for i in range(size))


class Peer:
    """A listening socket on 127.0.0.1 whose connections serve(connection) handles one after the
    other on a thread; what they received and how many closed are kept."""

    def __init__(self, serve):
        self.listener = socket.create_server(("127.0.0.1", 0))
        self.listener.settimeout(0.1)
        self.port = self.listener.getsockname()[1]
        self.received = bytearray()
        self.closed = threading.Event()
        self.ending = False
        self.thread = threading.Thread(target=self._run, args=(serve,), daemon=True)
        self.thread.start()

    def _run(self, serve):
        while not self.ending:
            try:
                connection, _ = self.listener.accept()
            except (TimeoutError, socket.timeout):
                continue
            except OSError:
                return
            with connection:
                connection.settimeout(60)
                try:
                    serve(self, connection)
                except OSError:
                    pass
            self.closed.set()

    def receive_until_closed(self, connection):
        while chunk := connection.recv(65536):
            self.received += chunk

    def stop(self):
        self.ending = True
        self.thread.join(5)
        self.listener.close()


def echo(peer, connection):
    while chunk := connection.recv(65536):
        connection.sendall(chunk)


def sink(peer, connection):
    peer.receive_until_closed(connection)


def talker(peer, connection):
    connection.sendall(pattern(LARGE))


def unused_port():
    with socket.create_server(("127.0.0.1", 0)) as probe:
        return probe.getsockname()[1]


def client_document(remote_port, **fields):
    """Port 1 as a TCP client of 127.0.0.1:remote_port, Port 2 off; fields overrides."""
    document = qvg.defaults()
    document.update({"name": b"EndToEnd", "use_port[0]": 1, "use_port[1]": 0,
                     "connection_type[0]": 0, "client_remote_port[0]": remote_port})
    document.update(fields)
    return document


def random_long_be_area(start, end):
    return struct.pack("<IIIiiIIffIdd", start, end, RANDOM_LONG_BE, -2000000000, 2000000000,
                       0, 0, 0.0, 0.0, 0, 0.0, 0.0)


def escape(text):
    """The text as an ECMAScript regular expression that matches it as it is."""
    return re.sub(r"([\\^$.|?*+()\[\]{}/])", r"\\\1", text)


def row_pattern(start, end=None, connection=None):
    """A qvdriver pattern for the rows whose Contents is start or, with end given, starts with
    start and ends with end; and whose ID is connection, when one is given."""
    column = r"[^\t]*"
    contents = escape(start) + ("" if end is None else column + escape(end))
    ident = column if connection is None else escape(connection)
    return rf"^{column}\t{ident}\t{column}\t{contents}$"


def split_rows(output):
    """qvdriver's rows, each split into its columns."""
    rows = [line.split("\t") for line in output.splitlines()]
    return [row for row in rows if len(row) >= 4]


def socket_option(entry, value):
    options = bytearray(qvg.SOCKET_OPTIONS_SIZE)
    struct.pack_into("<HH", options, entry * 16, 1, value)
    return bytes(options)


class Program:
    """Quorvex.exe started in a folder of its own, driven through qvdriver.exe."""

    def __init__(self, folder, *arguments):
        # The program inherits the output of 'start': a file, since a pipe would stay open.
        with tempfile.TemporaryFile() as output:
            subprocess.run(self.command_line("--folder", windows_path(folder), "start", *arguments),
                           stdout=output, check=True, timeout=120)
            output.seek(0)
            self.pid = output.read().decode().strip()
        self.driver("--pid", self.pid, "--timeout", "30000", "wait-window")

    @staticmethod
    def command_line(*arguments):
        return [str(ROOT / "tools" / "wine-exec.sh"), str(BIN / "qvdriver.exe"), *arguments]

    @staticmethod
    def driver(*arguments, check=True):
        result = subprocess.run(Program.command_line(*arguments), capture_output=True, text=True,
                                errors="replace", timeout=120)
        if check and result.returncode != 0:
            raise AssertionError(f"qvdriver {' '.join(arguments)}: {result.returncode} "
                                 f"{result.stdout} {result.stderr}")
        return result

    def run(self, *arguments, check=True):
        return self.driver("--pid", self.pid, *arguments, check=check)

    def command(self, command_id):
        self.run("command", str(command_id))

    def type(self, text):
        """Types text into the send-data editor."""
        self.run("type", text)

    def press(self, *keys):
        """Presses each key in the send-data editor."""
        for key in keys:
            self.run("press", key)

    def status(self, pane=1):
        return self.run("status", str(pane)).stdout.rstrip("\r\n")

    def rows(self):
        """Every row, top to bottom, split into its columns."""
        return split_rows(self.run("rows").stdout)

    def contents(self):
        """The Contents column of every row, top to bottom."""
        return [row[3] for row in self.rows()]

    def wait_rows(self, pattern, count=1, timeout=30):
        """Waits in one qvdriver run until at least count rows match the pattern; every row
        then, split into its columns."""
        result = self.run("--timeout", str(timeout * 1000), "wait-rows", pattern, str(count),
                          check=False)
        if result.returncode != 0:
            raise AssertionError(f"timed out waiting for {count} of {pattern}; "
                                 f"rows: {self.contents()}")
        return split_rows(result.stdout)

    def wait_for_contents(self, pattern, count=1, timeout=30):
        """As wait_rows; the Contents column of every row then."""
        return [row[3] for row in self.wait_rows(pattern, count, timeout)]

    def wait_for_count(self, text, count=1, timeout=30):
        return self.wait_for_contents(row_pattern(text), count, timeout)

    def wait_for_status(self, text, pane=1, timeout=30):
        """Waits in one qvdriver run until the pane reads text, blanks at its ends aside."""
        result = self.run("--timeout", str(timeout * 1000), "wait-status", str(pane), text,
                          check=False)
        if result.returncode != 0:
            raise AssertionError(f"pane {pane} does not read {text!r}: {self.status(pane)!r}")

    def close(self):
        return self.run("--timeout", "30000", "close", check=False)


class EndToEndCase(unittest.TestCase):
    """The folder, peers and programs of one test, cleaned up after it."""

    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="quorvex-e2e-"))
        self.peers = []
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.close()
        for peer in self.peers:
            peer.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def peer(self, serve):
        peer = Peer(serve)
        self.peers.append(peer)
        return peer

    def start(self, document, file_name="test.qvg", on_command_line=True):
        path = self.folder / file_name
        path.write_bytes(qvg.write(document))
        program = Program(self.folder, *([windows_path(path)] if on_command_line else []))
        self.programs.append(program)
        return program

    def close(self, program):
        self.programs.remove(program)
        result = program.close()
        self.assertEqual("0", result.stdout.strip(), result.stderr)


class PortEndToEndTest(EndToEndCase):
    def test_start_send_stop_and_start_again(self):
        peer = self.peer(echo)
        program = self.start(client_document(peer.port, send_editor_data=b"ABC"))
        self.assertEqual("None", program.status().strip())

        program.command(START)
        rows = program.wait_for_count("接続完了")
        self.assertEqual(["Socket処理開始", "接続完了"], rows)
        self.assertEqual("接続中", program.status().strip())

        program.command(SEND)
        rows = program.wait_for_contents(row_pattern("Recv", end=""))
        self.assertTrue(rows[2].startswith("Send:0003:4142 43"), rows)
        self.assertTrue(rows[3].startswith("Recv:0003:4142 43"), rows)
        self.assertNotIn("IP:", rows[3])  # a TCP record names no peer

        program.command(STOP)
        rows = program.wait_for_count("Socket処理は中断しました")
        self.assertNotIn("Socket処理終了", rows)
        program.wait_for_status("None")

        program.command(START)
        program.wait_for_count("接続完了", 2)
        self.close(program)

    def test_a_refused_connection_is_retried_until_the_port_is_stopped(self):
        program = self.start(client_document(unused_port(), **{
            "client_reconnect[0]": 1, "client_reconnect_wait[0]": 300}))
        program.command(START)
        rows = program.wait_for_count("接続失敗", 2)
        self.assertEqual(["Socket処理開始", "接続失敗", "Socket処理終了", "Socket処理開始"], rows[:4])
        program.command(STOP)
        program.wait_for_status("None")
        settled = program.contents()
        # A window in which nothing may happen, not a wait: more than three reconnect waits.
        time.sleep(1)
        self.assertEqual(settled, program.contents())  # no further attempt
        self.close(program)

    def test_periodic_send_with_random_values_receive_timeout_and_socket_option(self):
        peer = self.peer(sink)
        program = self.start(client_document(peer.port, **{
            "send_editor_data": b"\0\0\0\0WXYZ", "random_areas[0]": random_long_be_area(0, 3),
            "random_data_on[0]": 1, "regenerate_every_send[0]": 1,
            "periodic_send_on[0]": 1, "periodic_send_period[0]": 100,
            "receive_timeout_on[0]": 1, "receive_timeout[0]": 1500,
            "socket_options[0]": socket_option(1, 0)}))
        program.command(START)
        # The time-out's row can show before the end's: wait for the end.
        rows = program.wait_for_count("Socket処理終了")
        self.assertEqual(["Socket処理開始", "Socket Option (SO_REUSEADDR) OK", "接続完了"], rows[:3])
        self.assertIn("受信タイムアウト", rows)
        self.assertEqual("Socket処理終了", rows[-1])
        self.assertTrue(peer.closed.wait(10))
        blocks = [bytes(peer.received[i:i + 8]) for i in range(0, len(peer.received), 8)]
        self.assertGreaterEqual(len(blocks), 5)
        self.assertEqual(len(blocks), sum(row.startswith("Send:0008") for row in rows))
        self.assertTrue(all(block[4:] == b"WXYZ" for block in blocks), blocks)
        heads = [block[:4] for block in blocks]
        self.assertEqual(len(heads), len(set(heads)), heads)
        self.close(program)

    def test_a_large_block_arrives_whole_and_in_order(self):
        peer = self.peer(sink)
        block = pattern(LARGE)
        program = self.start(client_document(peer.port, **{
            "send_editor_data": block, "close_after_send[0]": 1}))
        program.command(START)
        program.wait_for_count("接続完了")
        program.command(SEND)
        rows = program.wait_for_count("Socket処理終了", timeout=60)
        self.assertTrue(peer.closed.wait(30))
        self.assertEqual(len(block), len(peer.received))
        self.assertTrue(block == peer.received)
        self.assertTrue(rows[2].startswith(f"Send:{LARGE}:"), rows)
        self.close(program)

    def test_everything_a_peer_sent_before_it_closed_is_logged(self):
        peer = self.peer(talker)
        program = self.start(client_document(peer.port, **{"receive_buffer_size[0]": 65536}))
        program.command(START)
        rows = program.wait_for_count("Socket処理終了", timeout=60)
        counts = [int(re.match(r"Recv:(\d+)", row).group(1)) for row in rows if row.startswith("Recv")]
        self.assertEqual(LARGE, sum(counts))
        self.assertTrue(rows[-3].startswith("Recv"), rows[-3:])
        self.assertEqual("切断信号受信", rows[-2])
        self.close(program)

    def test_opened_documents_start_their_ports_and_closing_ends_them(self):
        for what, file_name, flag, on_command_line in (
                ("auto.qvg, whatever it says", "auto.qvg", 0, False),
                ("a document that asks for it", "starts.qvg", 1, True)):
            with self.subTest(what):
                peer = self.peer(sink)
                program = self.start(client_document(peer.port, start_on_load=flag),
                                     file_name, on_command_line)
                program.wait_for_count("接続完了")
                # Closed while connected: the port ends first, the program exits cleanly.
                self.close(program)
                self.assertTrue(peer.closed.wait(10))
                (self.folder / file_name).unlink()



class SendEditorEndToEndTest(EndToEndCase):
    def test_what_the_user_types_into_the_send_editor_is_sent(self):
        peer = self.peer(sink)
        program = self.start(client_document(peer.port, **{
            "send_editor_data": b"", "close_after_send[0]": 1}))
        # Hex digits append in insert mode, Back takes the last byte away, and after Home the
        # digits go in before the first byte.
        program.type("41424344")
        program.press("back")
        program.press("home")
        program.type("30")
        program.command(START)
        program.wait_for_count("接続完了")
        program.command(SEND)
        rows = program.wait_for_count("Socket処理終了")
        self.assertTrue(peer.closed.wait(10))
        self.assertEqual(b"0ABC", bytes(peer.received))
        self.assertTrue(rows[2].startswith("Send:0004:3041 4243"), rows)
        self.close(program)


def main():
    global BIN
    BIN = Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main()
