// Chained hash tables of names: symbols, macros and mnemonics all live in one kind of table.
#pragma once

#include <cstdint>
#include <string>
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

    const char* name() const { return name_.c_str(); }
    _String* next = nullptr;
    // The name's hash in the table that holds the entry, set when it is inserted, so that a
    // chain is walked by comparing numbers rather than names.
    std::uint32_t key = 0;

private:
    std::string name_; // short names are kept inside the entry, without an allocation of their own
};

class SymbVal : public _String {
public:
    SymbVal(std::string_view name, std::uint16_t value, SymKind kind)
        : _String(name), value(value), kind(kind) {}
    std::uint16_t value;
    SymKind kind;
};

// How a table spreads names over its buckets. The narrow 16-bit hash serves the small fixed
// sets (mnemonics, macros); it gives numbered names (L1, L2, ... L999) only a few hundred
// values, so the symbol table, which may hold tens of thousands of labels, uses a wide one.
enum class Spread : std::uint8_t { Narrow, Wide };

// A hash table with a fixed bucket count. It does not own its entries: destroying it frees
// the buckets only (the mnemonic table's entries are static objects).
class STable {
public:
    explicit STable(int count, Spread spread = Spread::Narrow)
        : buckets_(static_cast<std::size_t>(count), nullptr), spread_(spread) {}
    STable(const STable&) = delete;
    STable& operator=(const STable&) = delete;

    static std::uint16_t hashName(std::string_view name);
    static std::uint32_t wideHash(std::string_view name);

    _String* lookup(std::string_view name) const;
    // Links the entry in and answers none, or answers the entry already there under the name
    // (the table is then unchanged and the offered entry still belongs to the caller).
    _String* insert(_String* entry);
    // Destroys every entry.
    void clear();

    int bucketCount() const { return static_cast<int>(buckets_.size()); }
    const _String* bucket(int i) const { return buckets_[static_cast<std::size_t>(i)]; }

private:
    std::uint32_t keyOf(std::string_view name) const {
        return spread_ == Spread::Narrow ? hashName(name) : wideHash(name);
    }
    std::vector<_String*> buckets_;
    Spread spread_;
};

// An STable that owns its entries.
class Table : public STable {
public:
    using STable::STable;
    ~Table() { clear(); }
};

} // namespace tasm
