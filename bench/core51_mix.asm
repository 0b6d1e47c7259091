; An instruction mix for the core's speed: arithmetic, logic, moves in every addressing
; mode, bit operations, a call and a table read per turn; 800,000 turns, then DONE.
        LJMP START
        ORG 0100H
START:  MOV SP,#60H
        MOV DPTR,#TABLE
        MOV R4,#20
TOP:    MOV R5,#160
OUTER:  MOV R6,#250
INNER:  MOV A,R6
        ADD A,#17
        ADDC A,30H
        MOV 30H,A
        MOV R0,#40H
        MOV @R0,A
        XRL A,@R0
        ORL A,#55H
        ANL A,R6
        RL A
        SWAP A
        CPL C
        MOV 20H.1,C
        JNB 20H.1,SKIP
        INC 31H
SKIP:   ACALL SUB
        MOV A,R6
        ANL A,#3
        MOVC A,@A+DPTR
        MOV B,A
        MUL AB
        PUSH ACC
        POP 32H
        CJNE A,#99H,NEXT
NEXT:   DJNZ R6,INNER
        DJNZ R5,OUTER
        DJNZ R4,TOP
DONE:   SJMP DONE
SUB:    INC R7
        MOV A,R7
        DA A
        RET
TABLE:  DB 1,2,3,4
