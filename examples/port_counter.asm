; port_counter.asm - counts up on the LEDs of port P1.
;
; The monitor of the board keeps 0003H (INT0) for single steps, so every program
; begins with a long jump over the interrupt vectors.

COUNT_REG   REG     30H             ; the counter lives in internal RAM 30H
STEP        EQU     1               ; added on every pass of the loop

            ORG     0
            LJMP    START

            ORG     0100H
START:      MOV     SP,#5FH         ; stack above the register banks
            MOV     COUNT_REG,#0    ; start from zero
LOOP:       MOV     A,COUNT_REG
            ADD     A,#STEP
            MOV     COUNT_REG,A
            CPL     A               ; the LEDs light on a low pin
            MOV     P1,A
            MOV     R7,#200         ; a short pause: 200 x 250 turns
PAUSE:      MOV     R6,#250
INNER:      DJNZ    R6,INNER
            DJNZ    R7,PAUSE
            SJMP    LOOP

            END
