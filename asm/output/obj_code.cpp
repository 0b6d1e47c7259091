#include "obj_code.h"

#include <array>

namespace tasm {

void ObjCode::add(ObjElm* element, const char* text) {
    if ((element->level & LEVEL_MASK) != 0) {
        expandedTexts_.push_back(text != nullptr ? text : "");
    }
    if (count_ % PAGE_SIZE == 0) {
        pages_.emplace_back(new ObjElm*[PAGE_SIZE]);
    }
    pages_[count_ / PAGE_SIZE][count_ % PAGE_SIZE] = element;
    ++count_;
}

void ObjCode::updateAll(UpdateContext& context) {
    for (int i = 0; i < count_; ++i) {
        at(i)->update(context);
    }
}

void ObjCode::release() {
    pages_.clear();
    expandedTexts_.clear();
    pool.releaseAll();
    count_ = 0;
}

namespace {

// A line counter kept as decimal digits: lines are counted one by one, so counting is
// cheaper than converting a number for every line.
struct LineCounter {
    char digits[12] = {'1'};
    int length = 1;

    void restart() {
        digits[0] = '1';
        length = 1;
    }
    void increment() {
        int i = length - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i--] = '0';
        }
        if (i >= 0) {
            ++digits[i];
            return;
        }
        for (int j = length; j > 0; --j) {
            digits[j] = digits[j - 1];
        }
        digits[0] = '1';
        ++length;
    }
    // Right-aligned in width characters; a counter with more digits is written in full.
    void append(char*& at, int width) const {
        for (int pad = width - length; pad > 0; --pad) {
            *at++ = ' ';
        }
        for (int i = 0; i < length; ++i) {
            *at++ = digits[i];
        }
    }
};

// The line-number field: the depth's marker, the counter, two blanks.
void appendLineNumber(std::string& out, int depth, const LineCounter& counter) {
    char field[24];
    char* at = field;
    if (depth == 0) {
        counter.append(at, 6);
    } else if (depth == 1) {
        *at++ = '>';
        counter.append(at, 5);
    } else {
        *at++ = depth <= 9 ? static_cast<char>('0' + depth) : '*';
        *at++ = '>';
        counter.append(at, 4);
    }
    *at++ = ' ';
    *at++ = ' ';
    out.append(field, static_cast<std::size_t>(at - field));
}

} // namespace

void ObjCode::writeListing(std::ostream& stream, ReportSink& report) {
    std::array<LineCounter, LEVEL_MASK + 1> counters{};
    int previousDepth = 0;
    if (source != nullptr) {
        source->rewind();
    }
    char text[LINE_CAPACITY];
    std::size_t nextExpanded = 0;
    std::string out;
    for (int i = 0; i < count_; ++i) {
        const ObjElm* e = at(i);
        int depth = e->level & LEVEL_MASK;
        if (depth > previousDepth) {
            counters[depth].restart();
        }
        std::size_t lineStart = out.size();
        appendLineNumber(out, depth, counters[depth]);
        e->listObject(out);
        if (depth == 0) {
            if (source == nullptr || !source->lineAt(text, LINE_CAPACITY, e->position)) {
                text[0] = '\0';
            }
            out += text;
        } else {
            out += expandedTexts_[nextExpanded++];
        }
        std::size_t lineEnd = out.size();
        out += "\r\n";
        if (e->diag != 0) {
            std::string message = formatDiagnostic(e->diag);
            out += message;
            out += "\r\n";
            report.addLine(out.substr(lineStart, lineEnd - lineStart));
            report.addLine(message);
        }
        for (int n = 1; 3 * n < e->length(); ++n) {
            e->listContinuation(out, n);
        }
        counters[depth].increment();
        previousDepth = depth;
        if (out.size() > 60000) {
            stream << out;
            out.clear();
        }
    }
    stream << out;
}

void writeHexRecord(std::ostream& stream, unsigned address, int count, const std::uint8_t* bytes) {
    if (count == 0) {
        return;
    }
    std::string record = ":";
    unsigned sum = static_cast<unsigned>(count) + (address >> 8) + (address & 0xFF);
    appendHex(record, static_cast<unsigned>(count), 2);
    appendHex(record, address, 4);
    record += "00";
    for (int i = 0; i < count; ++i) {
        appendHex(record, bytes[i], 2);
        sum += bytes[i];
    }
    appendHex(record, (0x100 - (sum & 0xFF)) & 0xFF, 2);
    record += "\r\n";
    stream << record;
}

void ObjCode::writeHex(std::ostream& stream) const {
    unsigned recordAddress = 0;
    int fill = 0;
    std::uint8_t buffer[16];
    for (int i = 0; i < count_; ++i) {
        const ObjElm* e = at(i);
        // Compared as plain integers: a sum that reached 10000h never equals an address.
        if (e->address != recordAddress + static_cast<unsigned>(fill)) {
            writeHexRecord(stream, recordAddress, fill, buffer);
            recordAddress = e->address;
            fill = 0;
        }
        int n = e->length();
        for (int b = 0; b < n; ++b) {
            buffer[fill++] = e->byteAt(b);
            if (fill == 16) {
                writeHexRecord(stream, recordAddress, 16, buffer);
                recordAddress = (recordAddress + 16) & 0xFFFF;
                fill = 0;
            }
        }
    }
    writeHexRecord(stream, recordAddress, fill, buffer);
    stream << ":00000001FF\r\n";
}

} // namespace tasm
