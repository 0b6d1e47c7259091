// The assembler's knowledge of the target: mnemonics with their operand combinations, the
// predefined names, and the directive evaluator with bit selection.
#pragma once

#include "asm/output/obj_code.h"
#include "asm/source/statement.h"
#include "asm/symbols/expression.h"
#include "asm/symbols/symbol_table.h"

#include <cstdint>

namespace tasm {

class Operand;

// What building one instruction element needs from the run.
struct AssembleContext {
    ObjCode& code;
    const STable& symbols;
    DiagnosticCounters& counters;
};

struct OperComb {
    std::uint8_t opcode;
    int length;
    const Operand* operands[3];
};

class Mnemonik : public _String {
public:
    Mnemonik(const char* name, int operandCount) : _String(name), operandCount(operandCount) {}
    virtual ObjElm* assemble(Statement& statement, std::uint16_t address,
                             AssembleContext& context) = 0;
    int operandCount;

protected:
    // Cuts the operand texts: 0, or 7, 8 or 9.
    std::uint8_t cutOperands(Statement& statement, const char* texts[3]) const;
    // 0 when the combination fits the texts, else 10 + the first operand that does not.
    std::uint8_t fit(const OperComb& comb, const char* const texts[3]) const;
    ObjElm* build(const OperComb& comb, const char* const texts[3], std::uint16_t address,
                  AssembleContext& context) const;
};

class Mnemo_SOC : public Mnemonik {
public:
    Mnemo_SOC(const char* name, int operandCount, OperComb comb)
        : Mnemonik(name, operandCount), comb(comb) {}
    ObjElm* assemble(Statement& statement, std::uint16_t address,
                     AssembleContext& context) override;
    OperComb comb;
};

class Mnemo_NOC : public Mnemonik {
public:
    Mnemo_NOC(const char* name, int operandCount, const OperComb* first, int combCount)
        : Mnemonik(name, operandCount), combCount(combCount), first(first) {}
    ObjElm* assemble(Statement& statement, std::uint16_t address,
                     AssembleContext& context) override;
    int combCount;
    int matched = 0;
    const OperComb* first;
};

class Processor {
public:
    explicit Processor(int buckets) : mnemonics_(buckets) {}
    Processor(const Processor&) = delete;
    Processor& operator=(const Processor&) = delete;
    virtual ~Processor() = default;

    virtual void predefine(STable& symbols) = 0;
    virtual EvalResult evaluate(const char* text, std::uint16_t address,
                                const STable& symbols) const = 0;
    virtual bool ramAddressExists(std::uint8_t address) const = 0;

    // The element of an instruction line, or none when the word is no mnemonic.
    ObjElm* assembleInstruction(std::uint16_t address, Statement& statement,
                                AssembleContext& context);
    const STable& mnemonics() const { return mnemonics_; }

protected:
    STable mnemonics_;
};

class Proc_8051 : public Processor {
public:
    explicit Proc_8051(int buckets);
    void predefine(STable& symbols) override;
    EvalResult evaluate(const char* text, std::uint16_t address,
                        const STable& symbols) const override;
    bool ramAddressExists(std::uint8_t address) const override;
};

// The 8051 with the Tarnik board's peripheral addresses and monitor routines.
class Proc_Tarnik : public Proc_8051 {
public:
    using Proc_8051::Proc_8051;
    void predefine(STable& symbols) override;
};

} // namespace tasm
