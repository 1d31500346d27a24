#!/usr/bin/env python3
"""Copies a UTF-8 C++ source for a compiler that cannot encode code page 932 (clang knows only
UTF-8 as execution character set): every non-ASCII character becomes the octal escapes of its
code-page-932 bytes, so string literals hold the same bytes as in the Windows build.

Octal, not hex: a hex escape would swallow a hex digit that follows it. In comments the escapes
are harmless. A character that code page 932 lacks fails the build, as it does there.

usage: cp932-source.py SOURCE COPY
"""
import sys


def escape(text: str) -> str:
    out = []
    for character in text:
        if ord(character) < 0x80:
            out.append(character)
        else:
            out.extend(f"\\{byte:03o}" for byte in character.encode("cp932"))
    return "".join(out)


def main() -> int:
    source, copy = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as file:
        text = file.read()
    # A line directive keeps compiler messages and debug information pointing at the real file.
    with open(copy, "w", encoding="ascii", newline="") as file:
        file.write(f'#line 1 "{source}"\n' + escape(text))
    return 0


if __name__ == "__main__":
    sys.exit(main())
