; The Tarnik board monitor: vectors, identification text and the routine entry table.
;
; The build puts four symbols in front of this source, one set per EPROM image:
;   MODEL_CHAR  the last character of the model name ('1', 'P', 'L' or 'M')
;   HARDWARE    the hardware digit, MAJOR and MINOR the monitor version digits
;
; The EPROM lies at 8000H-FFFFH of the code space; EPROM address = code address - 8000H.
; Only the ranges that every image holds are used: 0000-0005, 000B-000D, 0013-0015,
; 001B-001D, 0023-00A4 and 0100-0439.

STACK_TOP   EQU     60H

            ORG     8000H
            LJMP    INIT            ; reset
            LJMP    STEP_INT0       ; INT0: one step of the user's program

            ORG     800BH
            LJMP    NO_INTERRUPT    ; timer 0
            ORG     8013H
            LJMP    NO_INTERRUPT    ; INT1
            ORG     801BH
            LJMP    NO_INTERRUPT    ; timer 1

            ORG     8023H
SERIAL_INT: RETI                    ; the serial port is polled by the command loop

; The identification text that command V reports: maker (9), model (6), hardware, version.
            ORG     8062H
IDENT:      DB      'Makerlabs TRNK-',MODEL_CHAR,' v',30H+HARDWARE
            DB      ' s',30H+MAJOR,'.',30H+MINOR

; The routine entry table: two bytes a routine, from 8100H, in the order of the board
; symbols WRITE_TEXT to DIV_4_2.
            ORG     8100H
            AJMP    R_WRITE_TEXT
            AJMP    R_WRITE_DATA
            AJMP    R_WRITE_HEX
            AJMP    R_WRITE_INSTR
            AJMP    R_LCD_INIT
            AJMP    R_LCD_OFF
            AJMP    R_LCD_CLR
            AJMP    R_DELAY_US
            AJMP    R_DELAY_MS
            AJMP    R_DELAY_100MS
            AJMP    R_WAIT_ENTER
            AJMP    R_WAIT_ENTER_NW
            AJMP    R_TEST_ENTER
            AJMP    R_WAIT_ENT_ESC
            AJMP    R_WAIT_KEY
            AJMP    R_GET_NUM
            AJMP    R_BCD_HEX
            AJMP    R_HEX_BCD
            AJMP    R_MUL_2_2
            AJMP    R_MUL_3_1
            AJMP    R_DIV_2_1
            AJMP    R_DIV_4_2

INIT:       MOV     SP,#STACK_TOP
COMMAND:    SJMP    COMMAND         ; the command loop comes with the simulated board

STEP_INT0:  RETI
NO_INTERRUPT:
            RETI

; DELAY_MS waits A milliseconds (A = 0 waits 256), at 11.0592 MHz: 921 cycles each.
R_DELAY_MS: PUSH    ACC
            PUSH    07H             ; R7 of bank 0
            PUSH    06H
DMS_NEXT:   MOV     07H,#4
DMS_OUTER:  MOV     06H,#113        ; 4 x (2 + 113 x 2 + 2) + 4 = 924 cycles: 1.003 ms
DMS_INNER:  DJNZ    06H,DMS_INNER
            DJNZ    07H,DMS_OUTER
            DJNZ    ACC,DMS_NEXT
            POP     06H
            POP     07H
            POP     ACC
            RET

; DELAY_100MS waits A times 100 milliseconds.
R_DELAY_100MS:
            PUSH    ACC
            PUSH    05H
            MOV     05H,A
D100_NEXT:  MOV     A,#100
            ACALL   R_DELAY_MS
            DJNZ    05H,D100_NEXT
            POP     05H
            POP     ACC
            RET

; The display, keyboard and arithmetic routines return at once until the board has them.
R_WRITE_TEXT:
R_WRITE_DATA:
R_WRITE_HEX:
R_WRITE_INSTR:
R_LCD_INIT:
R_LCD_OFF:
R_LCD_CLR:
R_DELAY_US:
R_WAIT_ENTER:
R_WAIT_ENTER_NW:
R_TEST_ENTER:
R_WAIT_ENT_ESC:
R_WAIT_KEY:
R_GET_NUM:
R_BCD_HEX:
R_HEX_BCD:
R_MUL_2_2:
R_MUL_3_1:
R_DIV_2_1:
R_DIV_4_2:  RET

            END
