; Bit operations: SETB, CLR, CPL, MOV C,bit, MOV bit,C, ANL/ORL C, JB, JNB, JBC, JC, JNC.
        MOV 20h,#0
        SETB 20h.0
        SETB 2Fh.7
        CPL 20h.1
        MOV C,20h.0
        MOV 21h.3,C
        CLR C
        ANL C,20h.0
        ORL C,/20h.2
        ANL C,/20h.0
        CPL C
        MOV ACC.7,C
        JB ACC.7,L1
        NOP
L1:     JNB 20h.5,L2
        NOP
L2:     JBC 20h.0,L3
        NOP
L3:     JBC 20h.0,L4
        NOP
L4:     JC L5
        NOP
L5:     CLR C
        JNC L6
        NOP
L6:     MOV B,#0FFh
        CLR B.3
        SETB B.3
        CPL B.0
        MOV C,B.0
HERE:   SJMP HERE
