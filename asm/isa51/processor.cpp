#include "processor.h"

#include "asm/isa51/mnemonic_table.h"
#include "asm/isa51/operands.h"
#include "asm/isa51/predefined.h"
#include "asm/isa51/sfr_map.h"

namespace tasm {

std::uint8_t Mnemonik::cutOperands(Statement& statement, const char* texts[3]) const {
    const char* text = nullptr;
    if (operandCount == 0) {
        return nextOperand(statement, text) != OPND_NONE ? DIAG_OPERANDS_NUMBER : 0;
    }
    for (int i = 0; i < operandCount; ++i) {
        int result = nextOperand(statement, texts[i]);
        if ((result & OPND_NONE) != 0) {
            return DIAG_OPERANDS_NUMBER;
        }
        if ((result & OPND_EMPTY) != 0) {
            return DIAG_EMPTY_OPERAND;
        }
        if (i == operandCount - 1 && (result & OPND_LAST) == 0) {
            return DIAG_EXTRA_CHARACTERS;
        }
    }
    return 0;
}

std::uint8_t Mnemonik::fit(const OperComb& comb, const char* const texts[3]) const {
    for (int i = 0; i < operandCount; ++i) {
        if (!comb.operands[i]->matches(texts[i])) {
            return static_cast<std::uint8_t>(DIAG_ILLEGAL_OPERAND_1 + i);
        }
    }
    return 0;
}

ObjElm* Mnemonik::build(const OperComb& comb, const char* const texts[3], std::uint16_t address,
                        AssembleContext& context) const {
    std::uint8_t bytes[3] = {comb.opcode, 0, 0};
    std::uint8_t codes[3] = {0, 0, 0};
    bool deferred = false;
    int encoded = 0;
    for (; encoded < operandCount; ++encoded) {
        std::uint8_t code =
            comb.operands[encoded]->encode(bytes, address, texts[encoded], context.symbols);
        codes[encoded] = code;
        if (code == 0) {
            continue;
        }
        if (isDeferrable(code)) {
            deferred = true;
        } else if (isError(code)) {
            deferred = false;
            ++encoded;
            break;
        }
    }
    ObjElm* element = nullptr;
    if (deferred) {
        Operand* clones[2] = {nullptr, nullptr};
        int n = 0;
        for (int i = 0; i < encoded; ++i) {
            if (codes[i] != 0 && isDeferrable(codes[i]) && n < 2) {
                clones[n++] = comb.operands[i]->clone(texts[i], context.code.pool);
            }
        }
        if (n == 1) {
            element = context.code.make<ObjMnUpd1>(address, comb.length, bytes, clones[0]);
        } else {
            element =
                context.code.make<ObjMnUpd2>(address, comb.length, bytes, clones[0], clones[1]);
        }
    } else if (comb.length == 1) {
        element = context.code.make<ObjMnemo1>(address, bytes);
    } else if (comb.length == 2) {
        element = context.code.make<ObjMnemo2>(address, bytes);
    } else {
        element = context.code.make<ObjMnemo3>(address, bytes);
    }
    for (int i = 0; i < encoded; ++i) {
        if (codes[i] != 0 && !isDeferrable(codes[i])) {
            recordDiagnostic(element->diag, codes[i], context.counters);
        }
    }
    return element;
}

ObjElm* Mnemo_SOC::assemble(Statement& statement, std::uint16_t address, AssembleContext& context) {
    const char* texts[3] = {nullptr, nullptr, nullptr};
    std::uint8_t code = cutOperands(statement, texts);
    if (code == 0) {
        code = fit(comb, texts);
    }
    if (code != 0) {
        ObjElm* element = context.code.make<ObjElm>(address);
        recordDiagnostic(element->diag, code, context.counters);
        return element;
    }
    return build(comb, texts, address, context);
}

ObjElm* Mnemo_NOC::assemble(Statement& statement, std::uint16_t address, AssembleContext& context) {
    const char* texts[3] = {nullptr, nullptr, nullptr};
    std::uint8_t code = cutOperands(statement, texts);
    if (code == 0) {
        // When no combination fits, the message names the furthest operand any of them reached.
        std::uint8_t largest = 0;
        matched = -1;
        for (int i = 0; i < combCount && matched < 0; ++i) {
            std::uint8_t c = fit(first[i], texts);
            if (c == 0) {
                matched = i;
            } else if (c > largest) {
                largest = c;
            }
        }
        code = matched < 0 ? largest : 0;
    }
    if (code != 0) {
        ObjElm* element = context.code.make<ObjElm>(address);
        recordDiagnostic(element->diag, code, context.counters);
        return element;
    }
    return build(first[matched], texts, address, context);
}

ObjElm* Processor::assembleInstruction(std::uint16_t address, Statement& statement,
                                       AssembleContext& context) {
    auto* mnemonic = static_cast<Mnemonik*>(mnemonics_.lookup(statement.mnemonic));
    if (mnemonic == nullptr) {
        return nullptr;
    }
    return mnemonic->assemble(statement, address, context);
}

Proc_8051::Proc_8051(int buckets) : Processor(buckets) {
    for (Mnemonik* m : mnemonicTable()) {
        mnemonics_.insert(m);
    }
}

void Proc_8051::predefine(STable& symbols) {
    for (const PredefinedSymbol& s : sfrSymbols()) {
        symbols.insert(new SymbVal(s.name, s.value, s.kind));
    }
    for (const PredefinedSymbol& s : bitSymbols()) {
        symbols.insert(new SymbVal(s.name, s.value, s.kind));
    }
}

EvalResult Proc_8051::evaluate(const char* text, std::uint16_t address,
                               const STable& symbols) const {
    return Expr51().evaluate(text, address, symbols);
}

bool Proc_8051::ramAddressExists(std::uint8_t address) const {
    return tasm::ramAddressExists(address);
}

void Proc_Tarnik::predefine(STable& symbols) {
    for (const PredefinedSymbol& s : boardSymbols()) {
        symbols.insert(new SymbVal(s.name, s.value, s.kind));
    }
    Proc_8051::predefine(symbols);
}

} // namespace tasm
