// Conditional assembly: IF, ELSE and ENDIF, up to 16 levels that take part in the enabling.
#include "asm/source/assembler.h"
#include "asm/symbols/expression.h"

namespace tasm {

void Assembler::applyEnablingRule() {
    int levels = ifDepth_ < MAX_IF_LEVELS ? ifDepth_ : MAX_IF_LEVELS;
    auto mask = static_cast<std::uint16_t>((1U << levels) - 1);
    // A level is active in its IF branch when its condition held, in its ELSE branch otherwise.
    assemblingEnabled_ = ((conditionBits_ ^ elseBits_) & mask) == mask;
}

ObjElm* Assembler::directiveIf() {
    bool enabled = assemblingEnabled_;
    std::int32_t value = 0;
    ++ifDepth_;
    auto* element = code_.make<ObjCond>(locationCounter_, ifDepth_);
    if (enabled) {
        const char* text = nullptr;
        std::uint8_t code = singleOperand(statement_, text);
        if (code == 0) {
            EvalResult r = Expression().evaluate(text, locationCounter_, symbols_);
            code = r.code;
            value = r.value;
        }
        if (code != 0) {
            record(element, code);
        }
    }
    if (ifDepth_ > MAX_IF_LEVELS) {
        record(element, DIAG_TOO_MANY_IFS);
        return element;
    }
    auto bit = static_cast<std::uint16_t>(1U << (ifDepth_ - 1));
    conditionBits_ =
        static_cast<std::uint16_t>(value != 0 ? conditionBits_ | bit : conditionBits_ & ~bit);
    elseBits_ = static_cast<std::uint16_t>(elseBits_ & ~bit);
    applyEnablingRule();
    labelWithColonExpected(element);
    return element;
}

ObjElm* Assembler::directiveElse() {
    auto* element = code_.make<ObjCond>(locationCounter_, ifDepth_);
    if (ifDepth_ > MAX_IF_LEVELS) {
        // The IF of this level got 32; its ELSE changes nothing.
        return element;
    }
    auto bit = static_cast<std::uint16_t>(ifDepth_ > 0 ? 1U << (ifDepth_ - 1) : 0U);
    if (ifDepth_ == 0 || (elseBits_ & bit) != 0) {
        record(element, DIAG_UNEXPECTED_ELSE);
        return element;
    }
    elseBits_ = static_cast<std::uint16_t>(elseBits_ | bit);
    applyEnablingRule();
    labelWithColonExpected(element);
    return element;
}

ObjElm* Assembler::directiveEndif() {
    if (ifDepth_ == 0) {
        auto* element = code_.make<ObjCond>(locationCounter_, 0);
        record(element, DIAG_UNEXPECTED_ENDIF);
        return element;
    }
    --ifDepth_;
    auto* element = code_.make<ObjCond>(locationCounter_, ifDepth_);
    applyEnablingRule();
    labelWithColonExpected(element);
    return element;
}

} // namespace tasm
