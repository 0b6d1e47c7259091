#include "predefined.h"

namespace tasm {

namespace {

constexpr SymKind BOARD = K_ADDR | K_CONST;

constexpr PredefinedSymbol board[] = {
    {"CSIC", 0x00, BOARD},         {"CSDA", 0x08, BOARD},
    {"CSAD", 0x10, BOARD},         {"CSMX", 0x18, BOARD},
    {"CSKB0", 0x21, BOARD},        {"CSKB1", 0x22, BOARD},
    {"CS55A", 0x28, BOARD},        {"CS55B", 0x29, BOARD},
    {"CS55C", 0x2A, BOARD},        {"CS55D", 0x2B, BOARD},
    {"CSDS", 0x30, BOARD},         {"CSDB", 0x38, BOARD},
    {"CSMOD", 0x40, BOARD},        {"LCDWC", 0x80, BOARD},
    {"LCDWD", 0x81, BOARD},        {"LCDRC", 0x82, BOARD},
    {"LCDRD", 0x83, BOARD},        {"CSX", 0xC0, BOARD},
    {"WRITE_TEXT", 0x8100, BOARD}, {"WRITE_DATA", 0x8102, BOARD},
    {"WRITE_HEX", 0x8104, BOARD},  {"WRITE_INSTR", 0x8106, BOARD},
    {"LCD_INIT", 0x8108, BOARD},   {"LCD_OFF", 0x810A, BOARD},
    {"LCD_CLR", 0x810C, BOARD},    {"DELAY_US", 0x810E, BOARD},
    {"DELAY_MS", 0x8110, BOARD},   {"DELAY_100MS", 0x8112, BOARD},
    {"WAIT_ENTER", 0x8114, BOARD}, {"WAIT_ENTER_NW", 0x8116, BOARD},
    {"TEST_ENTER", 0x8118, BOARD}, {"WAIT_ENT_ESC", 0x811A, BOARD},
    {"WAIT_KEY", 0x811C, BOARD},   {"GET_NUM", 0x811E, BOARD},
    {"BCD_HEX", 0x8120, BOARD},    {"HEX_BCD", 0x8122, BOARD},
    {"MUL_2_2", 0x8124, BOARD},    {"MUL_3_1", 0x8126, BOARD},
    {"DIV_2_1", 0x8128, BOARD},    {"DIV_4_2", 0x812A, BOARD},
};

constexpr PredefinedSymbol sfrs[] = {
    {"ACC", 0xE0, K_REG},  {"B", 0xF0, K_REG},    {"PSW", 0xD0, K_REG},  {"SP", 0x81, K_REG},
    {"DPL", 0x82, K_REG},  {"DPH", 0x83, K_REG},  {"P0", 0x80, K_REG},   {"P1", 0x90, K_REG},
    {"P2", 0xA0, K_REG},   {"P3", 0xB0, K_REG},   {"IP", 0xB8, K_REG},   {"IE", 0xA8, K_REG},
    {"TMOD", 0x89, K_REG}, {"TCON", 0x88, K_REG}, {"TH0", 0x8C, K_REG},  {"TL0", 0x8A, K_REG},
    {"TH1", 0x8D, K_REG},  {"TL1", 0x8B, K_REG},  {"SCON", 0x98, K_REG}, {"SBUF", 0x99, K_REG},
    {"PCON", 0x87, K_REG},
};

constexpr PredefinedSymbol bits[] = {
    {"IT0", 0x88, K_BIT},  {"IE0", 0x89, K_BIT},  {"IT1", 0x8A, K_BIT}, {"IE1", 0x8B, K_BIT},
    {"TR0", 0x8C, K_BIT},  {"TF0", 0x8D, K_BIT},  {"TR1", 0x8E, K_BIT}, {"TF1", 0x8F, K_BIT},
    {"RI", 0x98, K_BIT},   {"TI", 0x99, K_BIT},   {"RB8", 0x9A, K_BIT}, {"TB8", 0x9B, K_BIT},
    {"REN", 0x9C, K_BIT},  {"SM2", 0x9D, K_BIT},  {"SM1", 0x9E, K_BIT}, {"SM0", 0x9F, K_BIT},
    {"EX0", 0xA8, K_BIT},  {"ET0", 0xA9, K_BIT},  {"EX1", 0xAA, K_BIT}, {"ET1", 0xAB, K_BIT},
    {"ES", 0xAC, K_BIT},   {"EA", 0xAF, K_BIT},   {"RXD", 0xB0, K_BIT}, {"TXD", 0xB1, K_BIT},
    {"INT0", 0xB2, K_BIT}, {"INT1", 0xB3, K_BIT}, {"T0", 0xB4, K_BIT},  {"T1", 0xB5, K_BIT},
    {"WR", 0xB6, K_BIT},   {"RD", 0xB7, K_BIT},   {"PX0", 0xB8, K_BIT}, {"PT0", 0xB9, K_BIT},
    {"PX1", 0xBA, K_BIT},  {"PT1", 0xBB, K_BIT},  {"PS", 0xBC, K_BIT},  {"P", 0xD0, K_BIT},
    {"OV", 0xD2, K_BIT},   {"RS0", 0xD3, K_BIT},  {"RS1", 0xD4, K_BIT}, {"F0", 0xD5, K_BIT},
    {"AC", 0xD6, K_BIT},   {"CY", 0xD7, K_BIT},
};

} // namespace

std::span<const PredefinedSymbol> boardSymbols() {
    return board;
}
std::span<const PredefinedSymbol> sfrSymbols() {
    return sfrs;
}
std::span<const PredefinedSymbol> bitSymbols() {
    return bits;
}

} // namespace tasm
