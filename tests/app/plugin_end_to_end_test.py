#!/usr/bin/env python3
"""End to end: the real program's ports in extension-DLL mode with the test DLL
(tests/engine/fixtures/PluginTestDll.c), whose answers its DLL data chooses and which writes
every call it receives to "<its path>.log", against Python peers on loopback: a TCP client, a TCP
server with two clients, a UDP endpoint, and the DLLs a connection refuses.

    plugin_end_to_end_test.py BIN_FOLDER

Run inside the loopback-only network namespace of tools/test.sh.
"""
import shutil
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import port_end_to_end_test as e2e  # noqa: E402
from port_end_to_end_test import (  # noqa: E402
    EndToEndCase, echo, row_pattern, sink, unused_port, windows_path)
from server_udp_end_to_end_test import (  # noqa: E402
    START, STOP, SEND, TCP_CLIENT, TCP_SERVER, UDP, datagram_socket, document, main,
    receive_exactly, tcp_client, unused_udp_port)

OPENING = ["2000000", "4000000", "10000000", "1"]


def once(data):
    """A peer that sends data once and then keeps what comes back until it is closed."""
    def serve(peer, connection):
        connection.sendall(data)
        peer.receive_until_closed(connection)
    return serve


class PluginEndToEndTest(EndToEndCase):
    def keep(self, sock):
        self.addCleanup(sock.close)
        return sock

    def dll(self, rules, name="plugin_test.dll", fixture="plugin_test.dll", port=0):
        """The port's fields for a copy of the fixture DLL under the name with the rules."""
        path = self.folder / name
        shutil.copyfile(e2e.BIN / fixture, path)
        return {f"dll_mode[{port}]": 1, f"dll_path[{port}]": windows_path(path).encode(),
                f"dll_data[{port}]": rules.encode()}

    def calls(self, name="plugin_test.dll"):
        """Every call the DLL logged: (thread, event, own word, word 1, data)."""
        log = self.folder / (name + ".log")
        if not log.exists():
            return []
        calls = []
        for line in log.read_text().splitlines():
            thread, event, own, value, data = line.split(" ")
            calls.append((thread, event, own[4:], value[3:], data[5:]))
        return calls

    def events_by_connection(self, name="plugin_test.dll"):
        """The events of each connection (a thread of the DLL's calls) in order."""
        connections = {}
        for thread, event, *_ in self.calls(name):
            connections.setdefault(thread, []).append(event)
        return list(connections.values())

    def client(self, peer_port, rules, **fields):
        return document(**{"use_port[0]": 1, "connection_type[0]": TCP_CLIENT,
                           "client_remote_port[0]": peer_port, **self.dll(rules), **fields})

    def test_a_dll_that_answers_nothing_leaves_a_client_as_in_built_in_mode(self):
        peer = self.peer(echo)
        program = self.start(self.client(peer.port, "", send_editor_data=b"ABC"))
        program.command(START[0])
        program.wait_for_count("接続完了")
        program.command(SEND[0])
        rows = program.wait_for_contents(row_pattern("Recv", end=""))
        self.assertTrue(rows[-2].startswith("Send:0003:4142 43"), rows)
        self.assertTrue(rows[-1].startswith("Recv:0003:4142 43"), rows)
        program.command(STOP[0])
        program.wait_for_status("None")
        self.assertEqual([OPENING + ["8", "4", "2"]], self.events_by_connection())
        calls = self.calls()
        self.assertEqual(["414243", "414243"], [c[4] for c in calls if c[1] in ("8", "4")])
        # From the start on, every request hands the DLL's own word back.
        self.assertTrue(all(int(c[2], 16) == int(c[0]) for c in calls[3:]), calls)
        self.close(program)

    def test_an_echo_goes_back_once_and_a_one_shot_timer_fires_once(self):
        peer = self.peer(once(b"ping"))
        program = self.start(self.client(peer.port, "1=400,w1:80000000,w2:1f4;4=100,d:in"))
        program.command(START[0])
        program.wait_for_contents(row_pattern("Send:0004", end=""))
        time.sleep(2)  # a looping echo or a timer that went on would show meanwhile
        program.command(STOP[0])
        program.wait_for_status("None")
        self.assertTrue(peer.closed.wait(10))
        self.assertEqual(b"ping", bytes(peer.received))
        events = self.events_by_connection()[0]
        self.assertEqual(OPENING, events[:4])
        self.assertEqual(["10", "4"], sorted(events[4:-1]))
        self.assertEqual("2", events[-1])
        self.close(program)

    def test_the_dll_reads_and_replaces_the_editor_and_logs_a_caution(self):
        peer = self.peer(sink)
        program = self.start(self.client(peer.port, "1=1000,l:2:abc;e=2000,d:in+58",
                                         send_editor_data=b"AB"))
        program.command(START[0])
        program.wait_for_contents(row_pattern("拡張DLL 注意 (abc", end=""))
        program.command(SEND[0])
        program.wait_for_contents(row_pattern("Send:0003", end=""))
        program.command(STOP[0])
        self.assertTrue(peer.closed.wait(10))
        self.assertEqual(b"ABX", bytes(peer.received))
        self.assertEqual("4142", [c[4] for c in self.calls() if c[1] == "e"][0])
        self.close(program)

    def test_each_client_of_a_server_has_its_own_dll_connection(self):
        listen_port = unused_port()
        program = self.start(document(**{
            "use_port[0]": 1, "connection_type[0]": TCP_SERVER,
            "server_listen_port[0]": listen_port, **self.dll("4=100,d:in")}))
        program.command(START[0])
        program.wait_for_status("接続受付中 [0000]")
        clients = [self.keep(tcp_client(listen_port)) for _ in range(2)]
        program.wait_for_status("接続受付中 [0002]")
        for index, client in enumerate(clients):
            client.sendall(b"client%d" % index)
        for index, client in enumerate(clients):
            self.assertEqual(b"client%d" % index, receive_exactly(client, 7))
        program.command(STOP[0])
        program.wait_for_status("None")
        self.assertEqual([OPENING + ["4", "2"]] * 2, self.events_by_connection())
        self.close(program)

    def test_a_udp_endpoint_offers_sends_and_hands_datagrams_to_the_dll(self):
        bind_port = unused_udp_port()
        destination = self.keep(datagram_socket())
        program = self.start(document(**{
            "use_port[0]": 1, "connection_type[0]": UDP, "udp_bind_port[0]": bind_port,
            "udp_destination_port[0]": destination.getsockname()[1], "send_editor_data": b"PING",
            **self.dll("4=100,d:in")}))
        program.command(START[0])
        program.wait_for_status("接続中")
        program.command(SEND[0])
        self.assertEqual(b"PING", destination.recvfrom(100)[0])
        destination.sendto(b"pong", ("127.0.0.1", bind_port))
        # The echo goes to the endpoint's destination.
        self.assertEqual(b"pong", destination.recvfrom(100)[0])
        program.command(STOP[0])
        program.wait_for_status("None")
        self.assertEqual([OPENING + ["8", "4", "2"]], self.events_by_connection())
        self.close(program)

    def test_a_dll_of_another_version_or_without_its_export_is_refused(self):
        peer = self.peer(sink)
        fields = {"use_port[0]": 1, "use_port[1]": 1,
                  "connection_type[0]": TCP_CLIENT, "client_remote_port[0]": peer.port,
                  "connection_type[1]": TCP_CLIENT, "client_remote_port[1]": peer.port}
        fields.update(self.dll("", name="plugin_test_v0101.dll"))
        fields.update(self.dll("", name="plugin_no_export.dll", fixture="plugin_no_export.dll",
                               port=1))
        program = self.start(document(**fields))
        program.command(START[0])
        program.command(START[1])
        program.wait_for_status("None", pane=1)
        program.wait_for_status("None", pane=2)
        rows = [(row[1], row[3]) for row in program.rows()]
        port1 = [contents for connection, contents in rows if connection.startswith("1:")]
        port2 = [contents for connection, contents in rows if connection.startswith("2:")]
        self.assertEqual(["DLL Not Version...", "Socket処理終了"], port1[-2:])
        self.assertEqual(["DLL接続エラー", "Socket処理終了"], port2[-2:])
        self.assertEqual([["2000000"]], self.events_by_connection("plugin_test_v0101.dll"))
        self.close(program)


if __name__ == "__main__":
    main()
