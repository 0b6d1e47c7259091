#include "elements.h"

#include "asm/isa51/operands.h"

namespace tasm {

void appendHex(std::string& out, unsigned value, int digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    char text[8];
    for (int i = digits - 1; i >= 0; --i, value >>= 4) {
        text[i] = hex[value & 0xF];
    }
    out.append(text, static_cast<std::size_t>(digits));
}

void ObjElm::listObject(std::string& out) const {
    out.append(16, ' ');
}

void ObjAddr::listObject(std::string& out) const {
    appendHex(out, address, 4);
    out += ':';
    out.append(11, ' ');
}

void ObjVal::listObject(std::string& out) const {
    out.append(6, ' ');
    appendHex(out, value, 4);
    out.append(6, ' ');
}

void ObjCond::listObject(std::string& out) const {
    std::string number = std::to_string(level);
    if (level >= 0 && level < 10) {
        number.insert(0, 1, '0');
    }
    out += "      [";
    out += number;
    out += "]      ";
}

void ObjMnemo0::listObject(std::string& out) const {
    static constexpr char hex[] = "0123456789ABCDEF";
    char column[17] = "0000: ";
    for (int i = 0; i < 4; ++i) {
        column[i] = hex[(address >> (12 - 4 * i)) & 0xF];
    }
    int n = length();
    for (int i = 0; i < 3; ++i) {
        char* at = column + 6 + 3 * i;
        if (i < n) {
            std::uint8_t b = byteAt(i);
            at[0] = hex[b >> 4];
            at[1] = hex[b & 0xF];
        } else {
            at[0] = at[1] = ' ';
        }
        at[2] = ' ';
    }
    column[15] = ' ';
    out.append(column, 16);
}

void ObjData::listContinuation(std::string& out, int n) const {
    out.append(8, ' ');
    appendHex(out, (address + 3U * static_cast<unsigned>(n)) & 0xFFFF, 4);
    out += ": ";
    for (int i = 3 * n; i < 3 * n + 3 && i < count; ++i) {
        appendHex(out, bytes[i], 2);
        out += ' ';
    }
    out += "\r\n";
}

ObjMnemo::ObjMnemo(std::uint16_t address, int length, const std::uint8_t* source)
    : ObjMnemo0(address), bytes{source[0], source[1], source[2]},
      length_(static_cast<std::uint8_t>(length)) {}

void ObjMnUpd1::update(UpdateContext& context) {
    std::uint8_t code = first->encode(bytes, address, first->text, context.symbols);
    if (code != 0) {
        recordDiagnostic(diag, code, context.counters);
    }
}

void ObjMnUpd2::update(UpdateContext& context) {
    for (Operand* clone : {first, second}) {
        std::uint8_t code = clone->encode(bytes, address, clone->text, context.symbols);
        if (code != 0) {
            recordDiagnostic(diag, code, context.counters);
        }
    }
}

} // namespace tasm
