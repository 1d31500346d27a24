#!/usr/bin/env python3
"""The Windows programs' sockets live in the test namespace.

Wine creates every socket inside the wineserver, so a program's sockets are in the network
namespace of the wineserver that serves it. A listener made here, in the namespace the tests run
in, sends a token that only it knows; a Windows program connecting to it over 127.0.0.1 gets that
token only if its wineserver shares this namespace."""
import os
import secrets
import socket
import subprocess
import sys
import threading

probe, wine_exec = sys.argv[1], sys.argv[2]
token = secrets.token_hex(8)
listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
listener.bind(("127.0.0.1", 0))
listener.listen(1)
listener.settimeout(60)


def serve():
    try:
        connection, _ = listener.accept()
    except OSError:
        return
    with connection:
        connection.sendall(token.encode())


server = threading.Thread(target=serve, daemon=True)
server.start()
result = subprocess.run([wine_exec, probe, str(listener.getsockname()[1]), token],
                        capture_output=True, text=True, timeout=120)
sys.stdout.write(result.stdout)
sys.stderr.write(result.stderr)
if result.returncode != 0:
    print("the program's sockets are not in the test namespace (probe exit code %d)"
          % result.returncode)
    sys.exit(1)
