// Chained hash tables of names: symbols, macros and mnemonics all live in one kind of table.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace tasm {

// Kind bits of a symbol; the same byte is the type of an evaluated expression.
using SymKind = std::uint8_t;
constexpr SymKind K_CONST = 0x01;
constexpr SymKind K_SET = 0x02;
constexpr SymKind K_ADDR = 0x04;
constexpr SymKind K_BIT = 0x08;
constexpr SymKind K_REG = 0x10;

// Base of every entry kept in an STable: the entry's own copy of its name and the chain link.
class _String {
public:
    explicit _String(std::string_view name);
    virtual ~_String() = default;
    _String(const _String&) = delete;
    _String& operator=(const _String&) = delete;

    const char* name() const { return name_.get(); }
    _String* next = nullptr;

private:
    std::unique_ptr<char[]> name_;
};

class SymbVal : public _String {
public:
    SymbVal(std::string_view name, std::uint16_t value, SymKind kind)
        : _String(name), value(value), kind(kind) {}
    std::uint16_t value;
    SymKind kind;
};

// A hash table with a fixed bucket count. It does not own its entries: destroying it frees
// the buckets only (the mnemonic table's entries are static objects).
class STable {
public:
    explicit STable(int count) : buckets_(static_cast<std::size_t>(count), nullptr) {}
    STable(const STable&) = delete;
    STable& operator=(const STable&) = delete;

    static std::uint16_t hashName(std::string_view name);

    _String* lookup(std::string_view name) const;
    // Links the entry in and answers none, or answers the entry already there under the name
    // (the table is then unchanged and the offered entry still belongs to the caller).
    _String* insert(_String* entry);
    // Destroys every entry.
    void clear();

    int bucketCount() const { return static_cast<int>(buckets_.size()); }
    const _String* bucket(int i) const { return buckets_[static_cast<std::size_t>(i)]; }

private:
    std::size_t indexOf(std::string_view name) const;
    std::vector<_String*> buckets_;
};

// An STable that owns its entries.
class Table : public STable {
public:
    using STable::STable;
    ~Table() { clear(); }
};

} // namespace tasm
