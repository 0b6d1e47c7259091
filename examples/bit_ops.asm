; bit_ops.asm - bit operations: copies switch P3.2 to LED P1.7 and keeps a flag in the
; bit-addressable RAM, combining bits through the carry.

FLAG        BIT     20H.0           ; bit 0 of RAM byte 20H
SWITCH      BIT     P3.2
LAMP        BIT     P1.7

            ORG     0
            LJMP    START

            ORG     0100H
START:      CLR     FLAG
AGAIN:      MOV     C,SWITCH        ; read the switch into the carry
            MOV     LAMP,C          ; and show it
            JNC     OFF
            SETB    FLAG            ; remember that it was on once
OFF:        MOV     C,FLAG
            ANL     C,/SWITCH       ; on before and off now
            MOV     P1.6,C
            JB      ACC.7,AGAIN     ; bit selection on a register
            CPL     ACC.7
            SJMP    AGAIN

            END
