#include "symbol_table.h"

#include <cstring>

namespace tasm {

_String::_String(std::string_view name) : name_(name) {}

std::uint16_t STable::hashName(std::string_view name) {
    std::uint32_t h = 0;
    for (char c : name) {
        // Bytes 80h to FFh count as negative, sign-extended to 32 bits.
        auto byte =
            static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        h = (h << 1) ^ byte;
    }
    return static_cast<std::uint16_t>(h & 0xFFFF);
}

std::uint32_t STable::wideHash(std::string_view name) {
    std::uint32_t h = 2166136261U; // FNV-1a
    for (char c : name) {
        h = (h ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    return h;
}

namespace {
bool sameName(const _String* e, std::string_view name) {
    return std::strncmp(e->name(), name.data(), name.size()) == 0 && e->name()[name.size()] == '\0';
}
} // namespace

_String* STable::lookup(std::string_view name) const {
    std::uint32_t key = keyOf(name);
    for (_String* e = buckets_[key % buckets_.size()]; e != nullptr; e = e->next) {
        if (e->key == key && sameName(e, name)) {
            return e;
        }
    }
    return nullptr;
}

_String* STable::insert(_String* entry) {
    std::uint32_t key = keyOf(entry->name());
    _String*& head = buckets_[key % buckets_.size()];
    for (_String* e = head; e != nullptr; e = e->next) {
        if (e->key == key && std::strcmp(e->name(), entry->name()) == 0) {
            return e;
        }
    }
    entry->key = key;
    entry->next = head;
    head = entry;
    return nullptr;
}

void STable::clear() {
    for (auto& head : buckets_) {
        _String* e = head;
        head = nullptr;
        while (e != nullptr) {
            _String* next = e->next;
            delete e;
            e = next;
        }
    }
}

} // namespace tasm
