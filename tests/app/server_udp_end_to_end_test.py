#!/usr/bin/env python3
"""End to end: the real program as a TCP server and as a UDP endpoint, with automatic replies and
forwarding between its ports, against Python peers on loopback, driven through qvdriver.exe.

    server_udp_end_to_end_test.py BIN_FOLDER

Run inside the loopback-only network namespace of tools/test.sh, which routes the limited
broadcast and multicast to loopback.
"""
import socket
import struct
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import port_end_to_end_test as e2e  # noqa: E402
from port_end_to_end_test import (  # noqa: E402
    EndToEndCase, pattern, qvg, row_pattern, unused_port)

START = (32804, 32805)
STOP = (32806, 32807)
SEND = (32808, 32809)
TCP_CLIENT, TCP_SERVER, UDP = 0, 1, 2
REPLY_RECEIVED, REPLY_FILL = 1, 2
TARGET_OWN, TARGET_PORT1, TARGET_PORT2 = 0, 1, 2
# An administratively scoped group: the test network keeps it on loopback.
GROUP = "239.255.10.1"


def address_word(dotted):
    """An IPv4 address as the document stores it: network order, read as a little-endian word."""
    return int.from_bytes(socket.inet_aton(dotted), "little")


def unused_udp_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def document(**fields):
    """Both ports off unless fields says otherwise; per-port fields as "name[port]"."""
    values = qvg.defaults()
    values.update({"name": b"ServerUdp", "use_port[0]": 0, "use_port[1]": 0})
    values.update(fields)
    return values


def datagram_socket(port=0, address="127.0.0.1", reuse=False):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    if reuse:
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind((address, port))
    sock.settimeout(10)
    return sock


def tcp_client(port):
    client = socket.create_connection(("127.0.0.1", port), timeout=10)
    return client


def receive_exactly(connection, count):
    data = bytearray()
    while len(data) < count:
        chunk = connection.recv(min(65536, count - len(data)))
        if not chunk:
            break
        data += chunk
    return bytes(data)


def nothing_arrives(connection, seconds=0.5):
    connection.settimeout(seconds)
    try:
        return connection.recv(1) == b""
    except (TimeoutError, socket.timeout):
        return True
    finally:
        connection.settimeout(10)


class ServerUdpEndToEndTest(EndToEndCase):
    def setUp(self):
        super().setUp()
        self.sockets = []

    def tearDown(self):
        for sock in self.sockets:
            sock.close()
        super().tearDown()

    def keep(self, sock):
        self.sockets.append(sock)
        return sock

    @staticmethod
    def pairs(rows):
        """(connection id, contents) of each row."""
        return [(row[1], row[3]) for row in rows]

    def rows(self, program):
        """(connection id, contents) of every row, top to bottom."""
        return self.pairs(program.rows())

    def wait_for_row(self, program, row, count=1):
        """Waits until at least count rows are (connection id, contents) row; the rows then."""
        connection, contents = row
        return self.pairs(program.wait_rows(row_pattern(contents, connection=connection), count))

    def wait_for_received(self, program, connection, start, end=""):
        """Waits for a received row of the connection that starts and ends as given."""
        return self.pairs(program.wait_rows(row_pattern(start, end, connection)))

    def test_server_numbers_its_clients_sends_to_each_and_ends_them_on_stop(self):
        listen_port = unused_port()
        program = self.start(document(**{
            "use_port[0]": 1, "connection_type[0]": TCP_SERVER,
            "server_listen_port[0]": listen_port, "send_editor_data": b"HELLO"}))
        program.command(START[0])
        program.wait_for_status("接続受付中 [0000]")

        clients = []
        for number in (1, 2, 3):
            clients.append(self.keep(tcp_client(listen_port)))
            local_port = clients[-1].getsockname()[1]
            self.wait_for_row(program, (f"1:({number})",
                                        f"Accept Port OK! (IP:127.0.0.1 Port:{local_port})"))
        program.wait_for_status("接続受付中 [0003]")

        program.command(SEND[0])
        for client in clients:
            self.assertEqual(b"HELLO", receive_exactly(client, 5))

        clients[1].close()
        rows = self.wait_for_row(program, ("1:(2)", "Accept Port Exit"))
        own = [contents for connection, contents in rows if connection == "1:(2)"]
        self.assertEqual(["切断信号受信", "Accept Port Exit"], own[-2:])
        program.wait_for_status("接続受付中 [0002]")

        program.command(STOP[0])
        program.wait_for_status("None")
        rows = self.rows(program)
        stopped = [connection for connection, contents in rows
                   if contents == "Socket処理は中断しました"]
        self.assertEqual(["1:(-)", "1:(1)", "1:(3)"], sorted(stopped))
        self.assertNotIn("Socket処理終了", [contents for _, contents in rows])
        for client in (clients[0], clients[2]):
            self.assertEqual(b"", client.recv(1))  # closed by the stop
        self.close(program)

    def test_udp_tells_senders_apart_and_restarts_after_an_empty_datagram(self):
        bind_port = unused_udp_port()
        destination = self.keep(datagram_socket())
        program = self.start(document(**{
            "use_port[0]": 1, "connection_type[0]": UDP, "udp_bind_port[0]": bind_port,
            "udp_destination_port[0]": destination.getsockname()[1],
            "udp_restart[0]": 1, "udp_restart_wait[0]": 500, "send_editor_data": b"PING"}))
        program.command(START[0])
        program.wait_for_status("接続中")
        self.wait_for_row(program, ("1:(-)", "Socket処理開始"))

        senders = [self.keep(datagram_socket()) for _ in range(2)]
        for sender, text in zip(senders, (b"one", b"two")):
            sender.sendto(text, ("127.0.0.1", bind_port))
        # Each received row names its own sender.
        for sender, hex_digest in zip(senders, ("6F6E 65", "7477 6F")):
            self.wait_for_received(program, "1:(-)", f"Recv:0003:{hex_digest}",
                                   f" IP:127.0.0.1 Port:{sender.getsockname()[1]}")

        program.command(SEND[0])
        data, source = destination.recvfrom(100)
        self.assertEqual((b"PING", bind_port), (data, source[1]))

        senders[0].sendto(b"", ("127.0.0.1", bind_port))
        self.wait_for_row(program, ("1:(-)", "Socket処理開始"), count=2)
        contents = [c for _, c in self.rows(program)]
        zero = contents.index("切断信号受信(Receive Zero)")
        self.assertEqual(["切断信号受信(Receive Zero)", "Socket処理終了", "Socket処理開始"],
                         contents[zero:zero + 3])
        program.wait_for_status("接続中")
        # The restarted endpoint receives again.
        senders[1].sendto(b"again", ("127.0.0.1", bind_port))
        self.wait_for_received(program, "1:(-)", "Recv:0005:6167 6169 6E",
                               f" IP:127.0.0.1 Port:{senders[1].getsockname()[1]}")
        program.command(STOP[0])
        program.wait_for_status("None")
        self.close(program)

    def test_broadcast_and_multicast_reach_their_peers_on_loopback(self):
        broadcast_port = unused_udp_port()
        group_port = unused_udp_port()
        # Broadcasts reach a socket bound to any address; the group's port is shared with the
        # program's Port 2, which therefore asks for SO_REUSEADDR too.
        listener = self.keep(datagram_socket(broadcast_port, ""))
        member = self.keep(datagram_socket(group_port, "", reuse=True))
        member.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP,
                          socket.inet_aton(GROUP) + socket.inet_aton("0.0.0.0"))
        options = bytearray(qvg.SOCKET_OPTIONS_SIZE)
        struct.pack_into("<HH", options, 1 * 16, 1, 0)  # entry 1, SO_REUSEADDR, TRUE
        program = self.start(document(**{
            "use_port[0]": 1, "connection_type[0]": UDP, "udp_cast_mode[0]": 1,
            "udp_bind_mode[0]": 1, "udp_destination_port[0]": broadcast_port,
            "use_port[1]": 1, "connection_type[1]": UDP, "udp_cast_mode[1]": 2,
            "udp_destination_address[1]": address_word(GROUP),
            "udp_destination_port[1]": group_port, "udp_bind_port[1]": group_port,
            "socket_options[1]": bytes(options), "send_editor_data": b"CAST"}))
        for port in (0, 1):
            program.command(START[port])
            program.wait_for_status("接続中", pane=port + 1)

        program.command(SEND[0])
        data, source = listener.recvfrom(100)
        self.assertEqual(b"CAST", data)

        program.command(SEND[1])
        data, source = member.recvfrom(100)
        self.assertEqual(b"CAST", data)
        # The group reaches the program's member too: its own datagram, and one of the test's.
        sender = self.keep(datagram_socket())
        sender.sendto(b"IN", (GROUP, group_port))
        self.wait_for_received(program, "2:(-)", "Recv:0002:494E",
                               f" IP:127.0.0.1 Port:{sender.getsockname()[1]}")
        for port in (0, 1):
            program.command(STOP[port])
            program.wait_for_status("None", pane=port + 1)
        self.close(program)

    def start_relay(self, **port2_reply):
        """Port 1 a TCP server that forwards what its clients send to Port 2, Port 2 a TCP client
        of a listening socket of the test, answering its peer as port2_reply says. The program,
        Port 1's listen port and the listening socket."""
        listen_port = unused_port()
        upstream = self.keep(socket.create_server(("127.0.0.1", 0)))
        upstream.settimeout(30)
        fields = {
            "use_port[0]": 1, "connection_type[0]": TCP_SERVER,
            "server_listen_port[0]": listen_port, "auto_reply_on[0]": 1,
            "reply_data[0]": REPLY_RECEIVED, "reply_target[0]": TARGET_PORT2,
            "use_port[1]": 1, "connection_type[1]": TCP_CLIENT,
            "client_remote_port[1]": upstream.getsockname()[1], "auto_reply_on[1]": 1}
        fields.update({f"{name}[1]": value for name, value in port2_reply.items()})
        program = self.start(document(**fields))
        program.command(START[0])
        program.wait_for_status("接続受付中 [0000]")
        return program, listen_port, upstream

    def accept_port2(self, program, upstream):
        program.command(START[1])
        peer, _ = upstream.accept()
        self.keep(peer).settimeout(30)
        program.wait_for_status("接続中", pane=2)
        return peer

    def test_automatic_replies_fill_bytes_forward_and_skip_a_port_that_is_down(self):
        program, listen_port, upstream = self.start_relay(
            reply_data=REPLY_FILL, fill_byte=0x55, reply_target=TARGET_OWN)
        client = self.keep(tcp_client(listen_port))
        program.wait_for_status("接続受付中 [0001]")

        # Port 2 is down: the reply has nowhere to go.
        client.sendall(b"DOWN")
        self.wait_for_received(program, "1:(1)", "Recv:0004:444F 574E")
        # A window in which no reply may go out, not a wait: nothing marks "no reply".
        time.sleep(0.5)
        self.assertFalse(any(c.startswith("Send") for _, c in self.rows(program)))
        self.assertTrue(nothing_arrives(client))

        peer = self.accept_port2(program, upstream)
        peer.sendall(b"1234567")
        self.assertEqual(b"\x55" * 7, receive_exactly(peer, 7))
        client.sendall(b"FORWARD")
        self.assertEqual(b"FORWARD", receive_exactly(peer, 7))
        self.assertTrue(nothing_arrives(client))  # the reply went to Port 2 only
        self.close(program)

    def test_a_server_forwarding_to_a_client_carries_data_byte_exact_both_ways(self):
        program, listen_port, upstream = self.start_relay(
            reply_data=REPLY_RECEIVED, reply_target=TARGET_PORT1)
        peer = self.accept_port2(program, upstream)
        client = self.keep(tcp_client(listen_port))
        client.settimeout(30)
        program.wait_for_status("接続受付中 [0001]")

        size = 256 * 1024
        downstream_data = pattern(size)
        upstream_data = bytes(reversed(downstream_data))
        client.sendall(downstream_data)
        self.assertTrue(downstream_data == receive_exactly(peer, size))
        peer.sendall(upstream_data)
        self.assertTrue(upstream_data == receive_exactly(client, size))
        self.close(program)


def main():
    e2e.BIN = Path(sys.argv.pop(1)).resolve()
    unittest.main(verbosity=2)


if __name__ == "__main__":
    main()
