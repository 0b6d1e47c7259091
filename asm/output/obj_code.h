// The elements of one run in source order, and the two files written from them.
#pragma once

#include "asm/driver/report_sink.h"
#include "asm/output/elements.h"
#include "asm/output/obj_pool.h"

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

namespace tasm {

class ObjCode {
public:
    static constexpr int PAGE_SIZE = 1024;

    ObjCode() = default;
    ObjCode(const ObjCode&) = delete;
    ObjCode& operator=(const ObjCode&) = delete;
    ~ObjCode() { release(); }

    // Builds an element (or any pool object) in the run's pool.
    template <class T, class... Args> T* make(Args&&... args) {
        return new (pool.allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }

    // text: the line's own text for a line of a macro expansion (level above 0).
    void add(ObjElm* element, const char* text = nullptr);
    int count() const { return count_; }
    ObjElm* at(int i) const { return pages_[i / PAGE_SIZE][i % PAGE_SIZE]; }

    void updateAll(UpdateContext& context);
    // Reads the file lines back through the source and copies every faulty line to the report.
    void writeListing(std::ostream& stream, ReportSink& report);
    void writeHex(std::ostream& stream) const;
    void release();

    Source* source = nullptr;
    ObjPool pool;

private:
    std::vector<std::unique_ptr<ObjElm*[]>> pages_;
    std::vector<const char*> expandedTexts_; // in element order, one per expanded line
    int count_ = 0;
};

// One Intel HEX data record; nothing for a count of 0.
void writeHexRecord(std::ostream& stream, unsigned address, int count, const std::uint8_t* bytes);

} // namespace tasm
