#include "assembler.h"

#include <cstring>

namespace tasm {

const Assembler::DirectiveWord Assembler::directives[] = {
    {"EQU", &Assembler::directiveEqu},     {"BIT", &Assembler::directiveBit},
    {"REG", &Assembler::directiveReg},     {"SET", &Assembler::directiveSet},
    {"ORG", &Assembler::directiveOrg},     {"DB", &Assembler::directiveDb},
    {"DW", &Assembler::directiveDw},       {"END", &Assembler::directiveEnd},
    {"MACRO", &Assembler::directiveMacro}, {"ENDM", &Assembler::directiveEndm},
    {"MACEND", &Assembler::directiveEndm}, {"IF", &Assembler::directiveIf},
    {"ELSE", &Assembler::directiveElse},   {"ENDIF", &Assembler::directiveEndif},
};

Assembler::Assembler(Processor& instructionSet, STable& symbols, ObjCode& code,
                     DiagnosticCounters& counters)
    : instructionSet_(instructionSet), symbols_(symbols), code_(code),
      counters_(counters), context_{code, symbols, counters}, macros_(MACRO_BUCKETS) {}

Assembler::~Assembler() {
    delete openMacro_;
    macros_.clear();
}

void Assembler::labelWithColonExpected(ObjElm* element) {
    if (statement_.labelKind == 2) {
        record(element, DIAG_LABEL_WITH_COLON);
    }
}

void Assembler::assembleSource(FileSource& file) {
    top_ = &file;
    locationCounter_ = 0;
    code_.source = &file;
    symbols_.clear();
    instructionSet_.predefine(symbols_);
    LineInfo info;
    ObjElm* last = nullptr;
    while (readNextLine(top_, rawLine_, info)) {
        stripComment(rawLine_, workLine_);
        std::uint8_t splitCode = splitStatement(statement_, workLine_);
        ObjElm* element = nullptr;
        if (inMacroDefinition_) {
            element = plainElement();
            storeDefinitionLine(element);
        } else if (assemblingEnabled_) {
            bool labelTaken = false;
            if (statement_.labelKind == 1) {
                auto* label = new SymbVal(statement_.label, locationCounter_, K_ADDR);
                if (symbols_.insert(label) != nullptr) {
                    delete label;
                    labelTaken = true;
                }
            }
            element = processStatement();
            if (labelTaken) {
                record(element, DIAG_MULTIPLE_DEFINED);
            }
        } else if (std::strcmp(statement_.mnemonic, "IF") == 0) {
            element = directiveIf();
        } else if (std::strcmp(statement_.mnemonic, "ELSE") == 0) {
            element = directiveElse();
        } else if (std::strcmp(statement_.mnemonic, "ENDIF") == 0) {
            element = directiveEndif();
        } else {
            element = plainElement();
        }
        element->position = info.position;
        element->level = info.level;
        // A substituted line lives in the shared buffer that the next line overwrites.
        const char* text = info.text;
        if ((info.level & (COPY_TEXT | 0x80)) == COPY_TEXT) {
            text = code_.pool.copyText(info.text);
        }
        if (splitCode != 0) {
            record(element, splitCode);
        }
        if (info.cut) {
            // The line was shortened by substitution: whatever else it found, it shows that.
            if (element->diag != 0 && isError(element->diag)) {
                element->diag = DIAG_SYNTAX;
            } else {
                record(element, DIAG_SYNTAX);
            }
        }
        code_.add(element, text);
        last = element;
    }
    if (last != nullptr && inMacroDefinition_) {
        record(last, DIAG_UNCLOSED_MACRO);
    }
    if (last != nullptr && ifDepth_ > 0) {
        record(last, DIAG_UNCLOSED_IF);
    }
    UpdateContext update{symbols_, counters_};
    code_.updateAll(update);
    macros_.clear();
}

ObjElm* Assembler::processStatement() {
    if (statement_.mnemonic[0] == '\0') {
        ObjElm* element =
            statement_.labelKind == 1 ? code_.make<ObjAddr>(locationCounter_) : plainElement();
        labelWithColonExpected(element);
        return element;
    }
    if (ObjElm* element =
            instructionSet_.assembleInstruction(locationCounter_, statement_, context_)) {
        locationCounter_ = static_cast<std::uint16_t>(locationCounter_ + element->length());
        labelWithColonExpected(element);
        return element;
    }
    if (auto* macro = static_cast<Macro*>(macros_.lookup(statement_.mnemonic))) {
        return callMacro(*macro);
    }
    for (const auto& directive : directives) {
        if (std::strcmp(statement_.mnemonic, directive.word) == 0) {
            return (this->*directive.perform)();
        }
    }
    ObjElm* element = plainElement();
    record(element, DIAG_ILLEGAL_MNEMONIC);
    return element;
}

} // namespace tasm
