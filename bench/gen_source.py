#!/usr/bin/env python3
"""Writes a large, realistic 8051 program in this assembler's syntax and in as31's.

    gen_source.py LINES OURS.asm [AS31.asm]

The program is a chain of small, well-commented routines, as students write them: comment
blocks, EQU constants, labels, loops closed by backward jumps, forward jumps and calls, table
data. About 0.6 code bytes per line, so up to 100,000 lines fit the 64 KB code space that
as31 insists on; larger programs wrap the location counter (only this assembler is run on
those)."""
import random
import sys

lines_wanted = int(sys.argv[1])
ours_path = sys.argv[2]
theirs_path = sys.argv[3] if len(sys.argv) > 3 else None
rnd = random.Random(51)

ours = []
theirs = []


def both(text):
    ours.append(text)
    theirs.append(text)


def equ(name, value, comment):
    ours.append("%-12sEQU     %-16s; %s" % (name, value, comment))
    theirs.append("            .equ    %s, %-10s; %s" % (name, value, comment))


def db(label, values):
    ours.append("%-12sDB      %s" % (label, values))
    theirs.append("%-12s.db     %s" % (label, values))


both("; generated benchmark program, about %d lines" % lines_wanted)
ours.append("            ORG     0")
theirs.append("            .org    0")
block = 0
while len(ours) < lines_wanted - 60:
    r = "R%05d" % block
    both("")
    both(";------------------------------------------------------------------")
    both("; %s: counts R7 down from a constant, adding into A on the way," % r)
    both(";         then calls a routine further on unless A matched.")
    both(";")
    both("; In:     R%d  the start value" % rnd.randrange(8))
    both("; Out:    A   the sum, modulo 256")
    both("; Uses:   R7  as the loop counter")
    both(";")
    both("; The constants below are chosen so that the loop stays short.")
    both(";------------------------------------------------------------------")
    equ("N%05d" % block, "%d" % rnd.randrange(1, 200), "loop count")
    equ("K%05d" % block, "%03Xh" % rnd.randrange(255), "value added per turn")
    equ("M%05d" % block, "K%05d+1" % block, "value that ends early")
    both("%s:" % r)
    both("            MOV     R7,#N%05d     ; the counter" % block)
    both("%s_L:    MOV     A,R%d           ; load" % (r, rnd.randrange(8)))
    both("            ADD     A,#K%05d     ; add the constant" % block)
    both("            DJNZ    R7,%s_L  ; backward jump closes the loop" % r)
    both("            CJNE    A,#M%05d,%s_E ; forward jump" % (block, r))
    both("            LCALL   R%05d         ; forward call" % (block + rnd.randrange(1, 40)))
    both("%s_E:    RET" % r)
    both("")
    both("; end of %s" % r)
    if block % 4 == 0:
        both("; a small table")
        db("T%05d:" % block, ",".join(str(rnd.randrange(256)) for _ in range(rnd.randrange(3, 8))))
    block += 1
for b in range(block, block + 40):
    both("R%05d:     RET                     ; the last calls end here" % b)
ours.append("            END")

with open(ours_path, "w") as f:
    f.write("\n".join(ours) + "\n")
if theirs_path:
    with open(theirs_path, "w") as f:
        f.write("\n".join(theirs) + "\n")
