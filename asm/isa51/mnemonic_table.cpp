#include "mnemonic_table.h"

#include "asm/isa51/operands.h"
#include "asm/isa51/processor.h"

#include <array>

namespace tasm {

namespace {

// The operand objects, built once and shared by every combination that uses the form.
const OperTxt A("A");
const OperTxt C("C");
const OperTxt AB("AB");
const OperTxt DPTR("DPTR");
const OperTxt AT_DPTR("@DPTR");
const OperTxt AT_A_DPTR("@A+DPTR");
const OperTxt AT_A_PC("@A+PC");
const OpRr Rn;
const OpRi Ri;
const OpDirect direct(1);
const OpDirect direct2(2);
const OpHdata data(1);
const OpHdata data2(2);
const OpHdata16 data16;
const OpBit bit;
const OpSBit notBit;
const OpRel rel(1);
const OpRel rel2(2);
const OpAddr11 addr11;
const OpAddr16 addr16;

// Combinations of the mnemonics with several, tried in this order.
const OperComb ADD_[] = {
    {0x28, 1, {&A, &Rn}}, {0x26, 1, {&A, &Ri}}, {0x24, 2, {&A, &data}}, {0x25, 2, {&A, &direct}}};
const OperComb ADDC_[] = {
    {0x38, 1, {&A, &Rn}}, {0x36, 1, {&A, &Ri}}, {0x34, 2, {&A, &data}}, {0x35, 2, {&A, &direct}}};
const OperComb SUBB_[] = {
    {0x98, 1, {&A, &Rn}}, {0x96, 1, {&A, &Ri}}, {0x94, 2, {&A, &data}}, {0x95, 2, {&A, &direct}}};
const OperComb INC_[] = {
    {0x04, 1, {&A}}, {0x08, 1, {&Rn}}, {0x06, 1, {&Ri}}, {0xA3, 1, {&DPTR}}, {0x05, 2, {&direct}}};
const OperComb DEC_[] = {{0x14, 1, {&A}}, {0x18, 1, {&Rn}}, {0x16, 1, {&Ri}}, {0x15, 2, {&direct}}};
const OperComb ANL_[] = {{0x58, 1, {&A, &Rn}},     {0x56, 1, {&A, &Ri}},
                         {0x54, 2, {&A, &data}},   {0x55, 2, {&A, &direct}},
                         {0xB0, 2, {&C, &notBit}}, {0x82, 2, {&C, &bit}},
                         {0x52, 2, {&direct, &A}}, {0x53, 3, {&direct, &data2}}};
const OperComb ORL_[] = {{0x48, 1, {&A, &Rn}},     {0x46, 1, {&A, &Ri}},
                         {0x44, 2, {&A, &data}},   {0x45, 2, {&A, &direct}},
                         {0xA0, 2, {&C, &notBit}}, {0x72, 2, {&C, &bit}},
                         {0x42, 2, {&direct, &A}}, {0x43, 3, {&direct, &data2}}};
const OperComb XRL_[] = {{0x68, 1, {&A, &Rn}},     {0x66, 1, {&A, &Ri}},
                         {0x64, 2, {&A, &data}},   {0x65, 2, {&A, &direct}},
                         {0x62, 2, {&direct, &A}}, {0x63, 3, {&direct, &data2}}};
const OperComb CLR_[] = {{0xE4, 1, {&A}}, {0xC3, 1, {&C}}, {0xC2, 2, {&bit}}};
const OperComb CPL_[] = {{0xF4, 1, {&A}}, {0xB3, 1, {&C}}, {0xB2, 2, {&bit}}};
const OperComb MOV_[] = {
    {0xE8, 1, {&A, &Rn}},      {0xE6, 1, {&A, &Ri}},         {0x74, 2, {&A, &data}},
    {0xE5, 2, {&A, &direct}},  {0xF8, 1, {&Rn, &A}},         {0x78, 2, {&Rn, &data}},
    {0xA8, 2, {&Rn, &direct}}, {0xF6, 1, {&Ri, &A}},         {0x76, 2, {&Ri, &data}},
    {0xA6, 2, {&Ri, &direct}}, {0x90, 3, {&DPTR, &data16}},  {0xA2, 2, {&C, &bit}},
    {0x92, 2, {&bit, &C}},     {0xF5, 2, {&direct, &A}},     {0x88, 2, {&direct, &Rn}},
    {0x86, 2, {&direct, &Ri}}, {0x75, 3, {&direct, &data2}}, {0x85, 3, {&direct2, &direct}}};
const OperComb MOVC_[] = {{0x93, 1, {&A, &AT_A_DPTR}}, {0x83, 1, {&A, &AT_A_PC}}};
const OperComb MOVX_[] = {{0xE2, 1, {&A, &Ri}},
                          {0xE0, 1, {&A, &AT_DPTR}},
                          {0xF2, 1, {&Ri, &A}},
                          {0xF0, 1, {&AT_DPTR, &A}}};
const OperComb XCH_[] = {{0xC8, 1, {&A, &Rn}}, {0xC6, 1, {&A, &Ri}}, {0xC5, 2, {&A, &direct}}};
const OperComb SETB_[] = {{0xD3, 1, {&C}}, {0xD2, 2, {&bit}}};
const OperComb CJNE_[] = {{0xB4, 3, {&A, &data, &rel2}},
                          {0xB5, 3, {&A, &direct, &rel2}},
                          {0xB8, 3, {&Rn, &data, &rel2}},
                          {0xB6, 3, {&Ri, &data, &rel2}}};
const OperComb DJNZ_[] = {{0xD8, 2, {&Rn, &rel}}, {0xD5, 3, {&direct, &rel2}}};

template <std::size_t N> Mnemo_NOC noc(const char* name, int operands, const OperComb (&c)[N]) {
    return Mnemo_NOC(name, operands, c, static_cast<int>(N));
}

Mnemo_NOC several[] = {
    noc("ADD", 2, ADD_),   noc("ADDC", 2, ADDC_), noc("SUBB", 2, SUBB_), noc("INC", 1, INC_),
    noc("DEC", 1, DEC_),   noc("ANL", 2, ANL_),   noc("ORL", 2, ORL_),   noc("XRL", 2, XRL_),
    noc("CLR", 1, CLR_),   noc("CPL", 1, CPL_),   noc("MOV", 2, MOV_),   noc("MOVC", 2, MOVC_),
    noc("MOVX", 2, MOVX_), noc("XCH", 2, XCH_),   noc("SETB", 1, SETB_), noc("CJNE", 3, CJNE_),
    noc("DJNZ", 2, DJNZ_),
};

Mnemo_SOC single[] = {
    {"MUL", 1, {0xA4, 1, {&AB}}},
    {"DIV", 1, {0x84, 1, {&AB}}},
    {"DA", 1, {0xD4, 1, {&A}}},
    {"RL", 1, {0x23, 1, {&A}}},
    {"RLC", 1, {0x33, 1, {&A}}},
    {"RR", 1, {0x03, 1, {&A}}},
    {"RRC", 1, {0x13, 1, {&A}}},
    {"SWAP", 1, {0xC4, 1, {&A}}},
    {"PUSH", 1, {0xC0, 2, {&direct}}},
    {"POP", 1, {0xD0, 2, {&direct}}},
    {"XCHD", 2, {0xD6, 1, {&A, &Ri}}},
    {"ACALL", 1, {0x11, 2, {&addr11}}},
    {"LCALL", 1, {0x12, 3, {&addr16}}},
    {"CALL", 1, {0x12, 3, {&addr16}}},
    {"RET", 0, {0x22, 1, {}}},
    {"RETI", 0, {0x32, 1, {}}},
    {"AJMP", 1, {0x01, 2, {&addr11}}},
    {"LJMP", 1, {0x02, 3, {&addr16}}},
    {"SJMP", 1, {0x80, 2, {&rel}}},
    {"JMP", 1, {0x73, 1, {&AT_A_DPTR}}},
    {"JZ", 1, {0x60, 2, {&rel}}},
    {"JNZ", 1, {0x70, 2, {&rel}}},
    {"JC", 1, {0x40, 2, {&rel}}},
    {"JNC", 1, {0x50, 2, {&rel}}},
    {"JB", 2, {0x20, 3, {&bit, &rel2}}},
    {"JNB", 2, {0x30, 3, {&bit, &rel2}}},
    {"JBC", 2, {0x10, 3, {&bit, &rel2}}},
    {"NOP", 0, {0x00, 1, {}}},
};

const auto table = [] {
    std::array<Mnemonik*, std::size(several) + std::size(single)> all{};
    std::size_t n = 0;
    for (auto& m : several) {
        all[n++] = &m;
    }
    for (auto& m : single) {
        all[n++] = &m;
    }
    return all;
}();

} // namespace

std::span<Mnemonik* const> mnemonicTable() {
    return table;
}

} // namespace tasm
