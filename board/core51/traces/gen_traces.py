#!/usr/bin/env python3
"""Runs each NAME.asm of this folder on ucsim's s51 (Debian package sdcc-ucsim) and writes the
state after every instruction as NAME.trace, in the format of `tarnik-board --trace`.

    gen_traces.py TARNIKASM [STEPS]

NAME.hex, assembled by tarnikasm, is kept beside it, so the test needs neither program.
The programs avoid what ucsim does otherwise than the data sheet (interrupts, timers, PSW
bank bits set by SETB/CLR, PSW written with a wrong parity bit)."""
import glob
import os
import re
import subprocess
import sys
import zlib

tarnikasm = sys.argv[1]
steps = int(sys.argv[2]) if len(sys.argv) > 2 else 60
here = os.path.dirname(os.path.abspath(__file__))
for source in sorted(glob.glob(os.path.join(here, "*.asm"))):
    base = source[:-4]
    subprocess.run([tarnikasm, source], check=True, stdout=subprocess.DEVNULL)
    os.remove(base + ".lst")
    commands = ["set option irq_stop 1", 'file "%s.hex"' % base, "fill iram 0 0x7f 0"]
    for _ in range(steps):
        commands += ["step", "dump iram 0 0x7f", "state"]
    commands.append("quit")
    script = base + ".s51"
    with open(script, "w") as f:
        f.write("\n".join(commands) + "\n")
    out = subprocess.run(["s51", "-t", "8051", "-X", "11.0592M", "-C", script],
                         capture_output=True, text=True).stdout
    os.remove(script)
    lines = []
    for block in out.split("Stop at ")[1:]:
        pc = int(re.match(r"0x([0-9a-f]+)", block).group(1), 16)
        regs = re.search(r"R0 R1 R2 R3 R4 R5 R6 R7\s*\n\s*((?:[0-9a-f]{2} ){7}[0-9a-f]{2})", block)
        acc = int(re.search(r"ACC= 0x([0-9a-f]{2})", block).group(1), 16)
        b = int(re.search(r"B= 0x([0-9a-f]{2})", block).group(1), 16)
        psw = int(re.search(r"PSW= 0x([0-9a-f]{2})", block).group(1), 16)
        sp = int(re.search(r"SP 0x([0-9a-f]{2})", block).group(1), 16)
        dptr = int(re.search(r"DPTR= 0x([0-9a-f]{4})", block).group(1), 16)
        iram = bytearray(128)
        for address, row in re.findall(r"^0x([0-9a-f]{2})\s+((?:[0-9a-f]{2} )+)", block, re.M):
            for i, x in enumerate(row.split()):
                if int(address, 16) + i < 128:
                    iram[int(address, 16) + i] = int(x, 16)
        clks = int(re.search(r"\((\d+) clks\)", block).group(1))
        lines.append("PC=%04X A=%02X B=%02X PSW=%02X SP=%02X DPTR=%04X R0..R7=%s IRAM=%08X CYC=%d" % (
            pc, acc, b, psw, sp, dptr, regs.group(1).replace(" ", "").upper(),
            zlib.crc32(bytes(iram)), clks // 12))
    with open(base + ".trace", "w") as f:
        f.write("\n".join(lines) + "\n")
    print(os.path.basename(base), len(lines), "steps")
