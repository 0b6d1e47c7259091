; delay_blink.asm - blinks the LED on P1.0 once a second with the board's DELAY_MS
; routine. The monitor's routines are known to the assembler by name.

QUARTER     EQU     250             ; milliseconds per call of DELAY_MS
LED         BIT     P1.0

            ORG     0
            LJMP    START

            ORG     0100H
START:      MOV     SP,#5FH
BLINK:      CPL     LED             ; toggle the LED
            ACALL   WAIT_HALF       ; a subroutine of our own in the same 2 KB block
            ACALL   WAIT_HALF
            SJMP    BLINK

; Waits half a second: DELAY_MS waits the number of milliseconds in A, twice.
WAIT_HALF:  PUSH    ACC
            MOV     A,#QUARTER
            LCALL   DELAY_MS        ; a routine of the board's monitor
            LCALL   DELAY_MS
            POP     ACC
            RET

            END
