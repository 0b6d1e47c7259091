// The directives that define symbols, place code and data, and end the source.
#include "asm/source/assembler.h"
#include "asm/symbols/expression.h"

#include <cstring>

namespace tasm {

namespace {
constexpr int MAX_DATA_BYTES = 160;

bool outside16(std::int32_t v) {
    return v < 0 || v > 0xFFFF;
}
} // namespace

bool Assembler::evaluateDefinition(ObjElm* element, EvalResult& result) {
    const char* text = nullptr;
    std::uint8_t code = singleOperand(statement_, text);
    if (code != 0) {
        record(element, code);
    }
    if (statement_.labelKind == 0) {
        record(element, DIAG_MISSING_LABEL);
        return false;
    }
    if (statement_.labelKind == 1) {
        record(element, DIAG_LABEL_WITHOUT_COLON);
        return false;
    }
    // A missing or empty operand still defines the name, with value 0.
    result = EvalResult();
    if (text != nullptr) {
        result = instructionSet_.evaluate(text, locationCounter_, symbols_);
        if (result.code != 0) {
            record(element, result.code);
        }
    }
    return true;
}

ObjElm* Assembler::defineConstant(SymKind directiveBit) {
    auto* element = code_.make<ObjVal>(locationCounter_, 0);
    EvalResult r;
    if (!evaluateDefinition(element, r)) {
        return element;
    }
    constexpr SymKind typeBits = K_ADDR | K_BIT | K_REG;
    if (directiveBit != 0 && (r.type & typeBits & ~directiveBit) != 0) {
        record(element, DIAG_ILLEGAL_TYPE);
    }
    auto kind = static_cast<SymKind>(r.type | directiveBit | K_CONST);
    if (outside16(r.value) || (directiveBit != 0 && r.value > 0xFF)) {
        record(element, DIAG_NUMBER_TOO_LARGE);
    }
    if (directiveBit == K_REG && !instructionSet_.ramAddressExists(r.value & 0xFF)) {
        record(element, DIAG_NO_RAM_ADDRESS);
    }
    auto value = static_cast<std::uint16_t>(r.value & 0xFFFF);
    element->value = value;
    auto* symbol = new SymbVal(statement_.label, value, kind);
    if (symbols_.insert(symbol) != nullptr) {
        delete symbol;
        record(element, DIAG_MULTIPLE_DEFINED);
    }
    return element;
}

ObjElm* Assembler::directiveSet() {
    auto* element = code_.make<ObjVal>(locationCounter_, 0);
    EvalResult r;
    if (!evaluateDefinition(element, r)) {
        return element;
    }
    auto kind = static_cast<SymKind>(r.type | K_SET);
    if (outside16(r.value)) {
        record(element, DIAG_NUMBER_TOO_LARGE);
    }
    auto value = static_cast<std::uint16_t>(r.value & 0xFFFF);
    element->value = value;
    auto* symbol = new SymbVal(statement_.label, value, kind);
    if (auto* existing = static_cast<SymbVal*>(symbols_.insert(symbol))) {
        delete symbol;
        if ((existing->kind & K_SET) != 0) {
            if (existing->kind != kind) {
                record(element, DIAG_TYPE_CHANGE);
            }
            existing->value = value;
            existing->kind = kind;
        } else {
            record(element, DIAG_MULTIPLE_DEFINED);
        }
    }
    return element;
}

ObjElm* Assembler::directiveOrg() {
    auto* element = code_.make<ObjAddr>(locationCounter_);
    const char* text = nullptr;
    std::uint8_t code = singleOperand(statement_, text);
    if (code == 0) {
        EvalResult r = Expression().evaluate(text, locationCounter_, symbols_);
        code = r.code;
        if (code == 0 && (r.type & (K_BIT | K_REG)) != 0) {
            code = DIAG_ILLEGAL_ADDRESS;
        } else if (code == 0 && outside16(r.value)) {
            code = DIAG_NUMBER_TOO_LARGE;
        } else if (code == 0 && r.value < locationCounter_) {
            code = DIAG_ADDRESS_DECREASING;
        } else if (code == 0) {
            locationCounter_ = static_cast<std::uint16_t>(r.value);
            element->address = locationCounter_;
            if (statement_.labelKind != 0) {
                code = DIAG_LABEL_ILLEGAL;
            }
        }
    }
    if (code != 0) {
        record(element, code);
    }
    return element;
}

ObjElm* Assembler::dataElement(const std::uint8_t* bytes, int count) {
    ObjElm* element = nullptr;
    if (count == 0) {
        element = code_.make<ObjMnemo0>(locationCounter_);
    } else if (count == 1) {
        element = code_.make<ObjMnemo1>(locationCounter_, bytes);
    } else if (count == 2) {
        element = code_.make<ObjMnemo2>(locationCounter_, bytes);
    } else if (count == 3) {
        element = code_.make<ObjMnemo3>(locationCounter_, bytes);
    } else {
        auto* copy = static_cast<std::uint8_t*>(code_.pool.allocate(count, 1));
        std::memcpy(copy, bytes, static_cast<std::size_t>(count));
        element = code_.make<ObjData>(locationCounter_, static_cast<std::uint8_t>(count), copy);
    }
    locationCounter_ = static_cast<std::uint16_t>(locationCounter_ + count);
    return element;
}

ObjElm* Assembler::directiveDb() {
    std::uint8_t bytes[MAX_DATA_BYTES];
    int count = 0;
    std::uint8_t slot = 0;
    auto emit = [&](std::uint8_t b) {
        if (count < MAX_DATA_BYTES) {
            bytes[count++] = b;
        }
    };
    const char* text = nullptr;
    for (int r = nextOperand(statement_, text); r != OPND_NONE; r = nextOperand(statement_, text)) {
        if ((r & OPND_EMPTY) != 0) {
            recordDiagnostic(slot, DIAG_SYNTAX, counters_);
            continue;
        }
        if ((r & OPND_OPENQUOTE) != 0) {
            recordDiagnostic(slot, DIAG_UNCLOSED_QUOTE, counters_);
        }
        if (text[0] == '\'' || text[0] == '"') {
            std::size_t n = std::strlen(text);
            if (n < 2 || text[n - 1] != text[0]) {
                recordDiagnostic(slot, DIAG_SYNTAX, counters_);
                continue;
            }
            for (std::size_t i = 1; i + 1 < n; ++i) {
                emit(static_cast<std::uint8_t>(text[i]));
            }
            continue;
        }
        EvalResult v = instructionSet_.evaluate(text, locationCounter_, symbols_);
        if (v.code != 0) {
            recordDiagnostic(slot, v.code, counters_);
        }
        if (v.value < 0 || v.value > 0xFF) {
            recordDiagnostic(slot, DIAG_NUMBER_TOO_LARGE, counters_);
        }
        emit(static_cast<std::uint8_t>(v.value & 0xFF));
    }
    ObjElm* element = dataElement(bytes, count);
    element->diag = slot;
    labelWithColonExpected(element);
    return element;
}

ObjElm* Assembler::directiveDw() {
    std::uint8_t bytes[MAX_DATA_BYTES];
    int count = 0;
    std::uint8_t slot = 0;
    const char* text = nullptr;
    for (int r = nextOperand(statement_, text); r != OPND_NONE; r = nextOperand(statement_, text)) {
        if ((r & OPND_EMPTY) != 0) {
            recordDiagnostic(slot, DIAG_SYNTAX, counters_);
            continue;
        }
        EvalResult v = Expression().evaluate(text, locationCounter_, symbols_);
        if (v.code != 0) {
            recordDiagnostic(slot, v.code, counters_);
        }
        if (outside16(v.value)) {
            recordDiagnostic(slot, DIAG_NUMBER_TOO_LARGE, counters_);
        }
        if (count + 2 <= MAX_DATA_BYTES) {
            bytes[count++] = static_cast<std::uint8_t>((v.value >> 8) & 0xFF);
            bytes[count++] = static_cast<std::uint8_t>(v.value & 0xFF);
        }
    }
    ObjElm* element = dataElement(bytes, count);
    element->diag = slot;
    labelWithColonExpected(element);
    return element;
}

ObjElm* Assembler::directiveEnd() {
    ObjElm* element = plainElement();
    labelWithColonExpected(element);
    // Every source leaves the stack, so lines after END are neither read nor listed.
    while (top_ != nullptr) {
        dropSource(top_);
    }
    return element;
}

} // namespace tasm
