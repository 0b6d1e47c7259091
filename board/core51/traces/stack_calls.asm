; Stack and calls: PUSH, POP, LCALL, ACALL, RET, loops with DJNZ and CJNE, jumps.
        MOV SP,#50h
        MOV A,#1
        PUSH ACC
        PUSH B
        MOV A,#2
        POP B
        POP ACC
        LCALL SUB1
        ACALL SUB2
        MOV R7,#3
LOOP:   INC A
        DJNZ R7,LOOP
        MOV 40h,#2
LOOP2:  DJNZ 40h,LOOP2
        MOV R4,#0
NEXT:   INC R4
        CJNE R4,#3,NEXT
        CJNE A,#0,NZ
        NOP
NZ:     MOV DPTR,#JUMPS
        MOV A,#0
        JMP @A+DPTR
JUMPS:  AJMP DONE
        NOP
SUB1:   MOV R1,#41h
        MOV @R1,#5
        CJNE @R1,#6,S1
S1:     RET
SUB2:   CPL A
        JZ S2
        CPL A
S2:     RET
DONE:   LJMP FINAL
FINAL:  SJMP FINAL
