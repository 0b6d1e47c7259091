; table_lookup.asm - shows the squares of 0 to 9 on port P1, read from a table in code
; memory with MOVC.

            ORG     0
            LJMP    START

            ORG     0100H
START:      MOV     DPTR,#SQUARES   ; DPTR points at the table
            MOV     R2,#0           ; R2 is the number whose square we want
NEXT:       MOV     A,R2
            MOVC    A,@A+DPTR       ; A = SQUARES[R2]
            MOV     P1,A
            INC     R2
            CJNE    R2,#10,NEXT     ; ten entries
            SJMP    START

; The table: one byte per entry.
SQUARES:    DB      0,1,4,9,16,25,36,49,64,81

            END
