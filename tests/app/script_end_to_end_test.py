#!/usr/bin/env python3
"""End to end: the real program's ports in script mode against Python peers on 127.0.0.1, driven
through qvdriver.exe: the default script's events, an echo script, script errors in the log, a
Lua extension module beside the program and a script that starts the other port.

    script_end_to_end_test.py BIN_FOLDER

BIN_FOLDER holds Quorvex.exe, qvdriver.exe and lua_sample_module.dll. Run inside the
loopback-only network namespace of tools/test.sh.
"""
import shutil
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import port_end_to_end_test as e2e  # noqa: E402
from port_end_to_end_test import EndToEndCase, pattern, row_pattern  # noqa: E402

START, STOP, SEND = 32804, 32806, 32808
INFO = "ｽｸﾘﾌﾟﾄ 情報"
WARNING = "ｽｸﾘﾌﾟﾄ 警告"
DETAIL = "ｽｸﾘﾌﾟﾄ ｴﾗｰ詳細"


def script_document(peer_port, script, **fields):
    return e2e.client_document(peer_port, **{"script_mode[0]": 1, "script_text[0]": script,
                                             **fields})


def wait_until(condition, timeout=30):
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.05)
    return True


class ScriptEndToEndTest(EndToEndCase):
    def test_default_script_logs_its_events_and_sends_the_editor_bytes(self):
        peer = self.peer(e2e.sink)
        program = self.start(script_document(peer.port, b"", send_editor_data=b"ABC"))
        program.command(START)
        program.wait_for_count(f"{INFO} (OnConnected)")
        program.command(SEND)
        program.wait_for_count(f"{INFO} (OnSendPush)")
        self.assertTrue(wait_until(lambda: bytes(peer.received) == b"ABC"), peer.received)
        program.command(STOP)
        program.wait_for_count(f"{INFO} (OnDisConnected)")
        program.wait_for_status("None")

    def test_echo_script_echoes_byte_exact(self):
        sent = pattern(200000)

        def talk(peer, connection):
            connection.sendall(sent)
            while len(peer.received) < len(sent) and (chunk := connection.recv(65536)):
                peer.received += chunk

        peer = self.peer(talk)
        program = self.start(script_document(
            peer.port, b"function OnConnected() return 0 end\r\n"
                       b"function OnReceive(t) SendData(t) return 0 end\r\n"
                       b"function OnDisConnected() return 0 end\r\n"))
        program.command(START)
        self.assertTrue(wait_until(lambda: len(peer.received) >= len(sent), 120))
        self.assertEqual(sent, bytes(peer.received))

    def test_script_errors_are_logged(self):
        cases = [
            (b"function OnDisConnected() Logput(1, 'bye') end\r\nfunction (",
             [f"{WARNING} (ｽｸﾘﾌﾟﾄﾛｰﾄﾞｴﾗｰ)", f'{DETAIL} ([string "?"]'], "bye"),
            (b"function OnDisConnected() Logput(1, 'bye') return 0 end\r\n",
             [f"{WARNING} (ｽｸﾘﾌﾟﾄ実行ｴﾗｰ (OnConnected))",
              f"{DETAIL} (attempt to call a nil value)", f"{INFO} (bye)"], None),
        ]
        for script, expected, absent in cases:
            with self.subTest(script=script):
                peer = self.peer(e2e.sink)
                program = self.start(script_document(peer.port, script))
                program.command(START)
                program.wait_for_status("None")
                contents = program.wait_for_contents(row_pattern(expected[-1][:-1], ")"))
                found = [text for text in contents if text.startswith(("ｽｸﾘﾌﾟﾄ",))]
                self.assertEqual(len(expected), len(found), contents)
                for want, got in zip(expected, found):
                    self.assertTrue(got.startswith(want[:-1] if want.endswith(")") else want),
                                    (want, got))
                if absent:
                    self.assertNotIn(f"{INFO} ({absent})", contents)
                self.close(program)

    def test_module_function_override_and_start_connection(self):
        shutil.copy(e2e.BIN / "lua_sample_module.dll", self.folder)
        first = self.peer(e2e.sink)
        second = self.peer(e2e.sink)
        program = self.start(script_document(
            first.port,
            b"function OnConnected() StartConnection(2) SendData(tostring(SampleAdd(2, 3)))\r\n"
            b"  Disconnect() return 0 end\r\nfunction OnDisConnected() return 0 end\r\n",
            **{"use_port[1]": 1, "connection_type[1]": 0, "client_remote_port[1]": second.port,
               "script_mode[1]": 1,
               "script_text[1]": b"function OnConnected() Logput(1, 'from module') "
                                 b"SendData(SampleLogged) Disconnect() return 0 end\r\n"
                                 b"function OnDisConnected() return 0 end\r\n"}))
        program.command(START)
        self.assertTrue(wait_until(lambda: first.closed.is_set() and second.closed.is_set()))
        self.assertEqual(b"5", bytes(first.received))
        self.assertEqual(b"from module", bytes(second.received))
        # The module's Logput took the text: nothing was logged by it.
        self.assertNotIn(f"{INFO} (from module)", program.contents())


def main():
    e2e.BIN = Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main()
