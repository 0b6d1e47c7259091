// Defining and calling macros.
#include "asm/source/assembler.h"

#include <cstring>

namespace tasm {

namespace {
// The level byte holds nesting levels up to 63.
constexpr int MAX_EXPANSION_LEVEL = LEVEL_MASK;
} // namespace

ObjElm* Assembler::directiveMacro() {
    ObjElm* element = plainElement();
    if (statement_.labelKind == 0) {
        record(element, DIAG_MISSING_LABEL);
        return element;
    }
    if (statement_.labelKind == 1) {
        record(element, DIAG_LABEL_WITHOUT_COLON);
        return element;
    }
    // A second definition is read as a definition but dropped at its end.
    if (macros_.lookup(statement_.label) != nullptr) {
        record(element, DIAG_MULTIPLE_DEFINED);
    }
    openMacro_ = new Macro(statement_.label);
    const char* text = nullptr;
    for (int r = nextOperand(statement_, text); r != OPND_NONE; r = nextOperand(statement_, text)) {
        if ((r & OPND_EMPTY) != 0) {
            record(element, DIAG_EMPTY_OPERAND);
        } else {
            openMacro_->addFormal(text);
        }
    }
    inMacroDefinition_ = true;
    return element;
}

ObjElm* Assembler::directiveEndm() {
    ObjElm* element = plainElement();
    labelWithColonExpected(element);
    return element;
}

void Assembler::storeDefinitionLine(ObjElm* element) {
    if (std::strcmp(statement_.mnemonic, "MACRO") == 0) {
        record(element, DIAG_NESTED_MACRO);
        return;
    }
    openMacro_->appendLine(rawLine_, code_.pool);
    if (std::strcmp(statement_.mnemonic, "ENDM") == 0 ||
        std::strcmp(statement_.mnemonic, "MACEND") == 0) {
        openMacro_->rewind();
        if (macros_.insert(openMacro_) != nullptr) {
            delete openMacro_;
        }
        openMacro_ = nullptr;
        inMacroDefinition_ = false;
    }
}

ObjElm* Assembler::callMacro(Macro& macro) {
    ObjElm* element = plainElement();
    if (top_ != nullptr && top_->level + 1 > MAX_EXPANSION_LEVEL) {
        record(element, DIAG_INFINITE_MACRO);
        return element;
    }
    Source* pushed = pushSource(&macro, top_);
    if (pushed == nullptr) {
        record(element, DIAG_INFINITE_MACRO);
        return element;
    }
    top_ = pushed;
    const char* text = nullptr;
    for (int r = nextOperand(statement_, text); r != OPND_NONE; r = nextOperand(statement_, text)) {
        if ((r & OPND_EMPTY) != 0) {
            record(element, DIAG_EMPTY_OPERAND);
        } else {
            macro.addActual(text);
        }
    }
    if (macro.actuals.size() != macro.formals.size()) {
        record(element, DIAG_OPERANDS_NUMBER);
    }
    labelWithColonExpected(element);
    return element;
}

} // namespace tasm
