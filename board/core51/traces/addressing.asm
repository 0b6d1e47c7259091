; Addressing modes and moves: registers in two banks, direct, indirect, immediate,
; MOV direct,direct, XCH, XCHD, MOVC, DPTR.
        MOV PSW,#08h
        MOV R0,#31h
        MOV R7,#17h
        MOV @R0,#0AAh
        MOV A,@R0
        MOV PSW,#00h
        MOV R0,#32h
        MOV @R0,A
        MOV 33h,32h
        MOV 34h,@R0
        MOV @R0,34h
        MOV R3,33h
        MOV 35h,R3
        XCH A,R3
        XCH A,35h
        XCH A,@R0
        MOV A,#12h
        XCHD A,@R0
        MOV DPTR,#TABLE
        MOV A,#2
        MOVC A,@A+DPTR
        MOV A,#1
        MOVC A,@A+PC
        DB 66h,77h
        INC DPTR
        MOV A,DPL
        MOV 36h,DPH
HERE:   SJMP HERE
TABLE:  DB 11h,22h,33h,44h
