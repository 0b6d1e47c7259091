#!/usr/bin/env python3
"""Asks dis51 (Debian package dis51) for the length of every MCS-51 opcode and writes
opcode_lengths_dis51.txt, which the disassembler test compares with the opcode table.

Each opcode stands at a multiple of 4 followed by zero bytes, and every such address is an
entry point, so dis51 decodes each instruction exactly once."""
import re
import subprocess

data = bytearray()
for op in range(256):
    data += bytes([op, 0, 0, 0])
hex_lines = []
for a in range(0, len(data), 16):
    chunk = data[a:a + 16]
    s = len(chunk) + (a >> 8) + (a & 255) + sum(chunk)
    hex_lines.append(":%02X%04X00%s%02X" % (len(chunk), a, chunk.hex().upper(), (-s) & 255))
hex_lines.append(":00000001FF")
entries = [str(i * 4) for i in range(256)]
listing = subprocess.run(["dis51", "-l"] + entries, input="\n".join(hex_lines) + "\n",
                         capture_output=True, text=True).stdout
lengths = {}
for line in listing.splitlines():
    m = re.match(r"^  ([0-9A-F]{4}) ([0-9A-F]+)\s+", line)
    if m and int(m.group(1), 16) % 4 == 0:
        lengths[int(m.group(1), 16) // 4] = len(m.group(2)) // 2
out = ["# MCS-51 instruction lengths by opcode, as the independent disassembler dis51 reports them.",
       "# Written by gen_lengths_dis51.py."]
for row in range(16):
    out.append(" ".join(str(lengths[row * 16 + c]) for c in range(16)))
with open("opcode_lengths_dis51.txt", "w") as f:
    f.write("\n".join(out) + "\n")
