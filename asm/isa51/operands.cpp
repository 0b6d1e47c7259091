#include "operands.h"

#include "asm/isa51/sfr_map.h"
#include "asm/source/diagnostics.h"

#include <cstring>

namespace tasm {

namespace {

std::uint8_t low(std::int32_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}
std::uint8_t high(std::int32_t v) {
    return static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
void addTo(std::uint8_t& byte, int n) {
    byte = static_cast<std::uint8_t>(byte + n);
}

// The evaluation of a code address: no bit or register kind.
std::uint8_t evaluateAddress(const Expression& e, const char* text, std::uint16_t address,
                             const STable& symbols, EvalResult& r) {
    r = e.evaluate(text, address, symbols);
    if (r.code != 0) {
        return r.code;
    }
    return (r.type & (K_BIT | K_REG)) != 0 ? DIAG_ILLEGAL_ADDRESS : 0;
}

} // namespace

bool OperTxt::matches(const char* text) const {
    return std::strcmp(text, pattern) == 0;
}

bool OpRr::matches(const char* text) const {
    return text[0] == 'R' && text[1] >= '0' && text[1] <= '7' && text[2] == '\0';
}

std::uint8_t OpRr::encode(std::uint8_t* bytes, std::uint16_t, const char* text,
                          const STable&) const {
    addTo(bytes[0], text[1] - '0');
    return 0;
}

bool OpRi::matches(const char* text) const {
    return text[0] == '@' && text[1] == 'R' && (text[2] == '0' || text[2] == '1') &&
           text[3] == '\0';
}

std::uint8_t OpRi::encode(std::uint8_t* bytes, std::uint16_t, const char* text,
                          const STable&) const {
    addTo(bytes[0], text[2] - '0');
    return 0;
}

std::uint8_t OpDirect::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                              const STable& symbols) const {
    EvalResult r = evaluate(text, address, symbols);
    if (r.code != 0) {
        return r.code;
    }
    if ((r.type & (K_ADDR | K_BIT)) != 0) {
        return DIAG_ILLEGAL_DIRECT;
    }
    bytes[byteIndex] = low(r.value);
    if (r.value < 0 || r.value > 0xFF) {
        return DIAG_DIRECT_OUT_OF_RANGE;
    }
    if (!ramAddressExists(low(r.value))) {
        return DIAG_NO_RAM_ADDRESS;
    }
    return 0;
}

std::uint8_t OpHdata::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                             const STable& symbols) const {
    EvalResult r = evaluate(text + 1, address, symbols);
    if (r.code != 0) {
        return r.code;
    }
    bytes[byteIndex] = low(r.value);
    return (r.value < 0 || r.value > 0xFF) ? DIAG_NUMBER_TOO_LARGE : 0;
}

std::uint8_t OpHdata16::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                               const STable& symbols) const {
    EvalResult r = evaluate(text + 1, address, symbols);
    if (r.code != 0) {
        return r.code;
    }
    bytes[1] = high(r.value);
    bytes[2] = low(r.value);
    return (r.value < 0 || r.value > 0xFFFF) ? DIAG_NUMBER_TOO_LARGE : 0;
}

std::uint8_t OpBit::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                           const STable& symbols) const {
    EvalResult r = evaluate(text, address, symbols);
    if (r.code != 0) {
        return r.code;
    }
    if ((r.type & (K_ADDR | K_REG)) != 0) {
        return DIAG_ILLEGAL_BIT;
    }
    bytes[1] = low(r.value);
    return (r.value < 0 || r.value > 0xFF) ? DIAG_NUMBER_TOO_LARGE : 0;
}

std::uint8_t OpSBit::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                            const STable& symbols) const {
    return OpBit::encode(bytes, address, text + 1, symbols);
}

std::uint8_t OpAddr16::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                              const STable& symbols) const {
    EvalResult r;
    if (std::uint8_t code = evaluateAddress(*this, text, address, symbols, r)) {
        return code;
    }
    bytes[1] = high(r.value);
    bytes[2] = low(r.value);
    return (r.value < 0 || r.value > 0xFFFF) ? DIAG_DESTINATION_OUT_OF_64K : 0;
}

std::uint8_t OpAddr11::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                              const STable& symbols) const {
    EvalResult r;
    if (std::uint8_t code = evaluateAddress(*this, text, address, symbols, r)) {
        return code;
    }
    addTo(bytes[0], (r.value >> 3) & 0xE0);
    bytes[1] = low(r.value);
    if (r.value < 0 || r.value > 0xFFFF) {
        return DIAG_DESTINATION_OUT_OF_64K;
    }
    if ((r.value >> 11) != (((address + 2) & 0xFFFF) >> 11)) {
        return DIAG_NOT_SAME_2K_BLOCK;
    }
    return 0;
}

std::uint8_t OpRel::encode(std::uint8_t* bytes, std::uint16_t address, const char* text,
                           const STable& symbols) const {
    EvalResult r;
    if (std::uint8_t code = evaluateAddress(*this, text, address, symbols, r)) {
        return code;
    }
    if (r.value < 0 || r.value > 0xFFFF) {
        return DIAG_DESTINATION_OUT_OF_64K;
    }
    std::int32_t offset = r.value - (address + byteIndex + 1);
    bytes[byteIndex] = low(offset);
    return (offset < -128 || offset > 127) ? DIAG_RELATIVE_TOO_LARGE : 0;
}

} // namespace tasm
