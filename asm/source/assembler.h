// The pass: every line of the source stack becomes one element of the object code.
#pragma once

#include "asm/isa51/processor.h"
#include "asm/output/obj_code.h"
#include "asm/source/diagnostics.h"
#include "asm/source/macro.h"
#include "asm/source/source.h"
#include "asm/source/statement.h"
#include "asm/symbols/symbol_table.h"

#include <cstdint>

namespace tasm {

class Assembler {
public:
    static constexpr int MACRO_BUCKETS = 15;
    static constexpr int MAX_IF_LEVELS = 16;

    Assembler(Processor& instructionSet, STable& symbols, ObjCode& code,
              DiagnosticCounters& counters);
    Assembler(const Assembler&) = delete;
    Assembler& operator=(const Assembler&) = delete;
    ~Assembler();

    void assembleSource(FileSource& file);

private:
    using Directive = ObjElm* (Assembler::*)();
    struct DirectiveWord {
        const char* word;
        Directive perform;
    };
    static const DirectiveWord directives[];

    ObjElm* processStatement();
    ObjElm* plainElement() { return code_.make<ObjElm>(locationCounter_); }
    void record(ObjElm* element, std::uint8_t code) {
        recordDiagnostic(element->diag, code, counters_);
    }
    void labelWithColonExpected(ObjElm* element);

    // The label checks and the evaluation that EQU, BIT, REG and SET share; false when the
    // line defines nothing.
    bool evaluateDefinition(ObjElm* element, EvalResult& result);
    // Symbol definitions; the directive's kind bit is none for EQU.
    ObjElm* defineConstant(SymKind directiveBit);
    ObjElm* directiveEqu() { return defineConstant(0); }
    ObjElm* directiveBit() { return defineConstant(K_BIT); }
    ObjElm* directiveReg() { return defineConstant(K_REG); }
    ObjElm* directiveSet();
    ObjElm* directiveOrg();
    ObjElm* directiveDb();
    ObjElm* directiveDw();
    ObjElm* directiveEnd();
    ObjElm* dataElement(const std::uint8_t* bytes, int count);

    // Macros.
    ObjElm* directiveMacro();
    ObjElm* directiveEndm();
    void storeDefinitionLine(ObjElm* element);
    ObjElm* callMacro(Macro& macro);

    // Conditional assembly.
    ObjElm* directiveIf();
    ObjElm* directiveElse();
    ObjElm* directiveEndif();
    void applyEnablingRule();

    Processor& instructionSet_;
    STable& symbols_;
    ObjCode& code_;
    DiagnosticCounters& counters_;
    AssembleContext context_;

    bool inMacroDefinition_ = false;
    bool assemblingEnabled_ = true;
    std::uint16_t locationCounter_ = 0;
    Source* top_ = nullptr;
    Statement statement_;
    STable macros_;
    Macro* openMacro_ = nullptr;
    char rawLine_[LINE_CAPACITY] = {};
    char workLine_[LINE_CAPACITY] = {};
    std::uint16_t conditionBits_ = 0;
    std::uint16_t elseBits_ = 0;
    int ifDepth_ = 0;
};

} // namespace tasm
