#include "symbol_table.h"

#include <cstring>

namespace tasm {

_String::_String(std::string_view name) : name_(new char[name.size() + 1]) {
    std::memcpy(name_.get(), name.data(), name.size());
    name_[name.size()] = '\0';
}

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

std::size_t STable::indexOf(std::string_view name) const {
    return hashName(name) % buckets_.size();
}

_String* STable::lookup(std::string_view name) const {
    for (_String* e = buckets_[indexOf(name)]; e != nullptr; e = e->next) {
        if (name == e->name()) {
            return e;
        }
    }
    return nullptr;
}

_String* STable::insert(_String* entry) {
    _String*& head = buckets_[indexOf(entry->name())];
    for (_String* e = head; e != nullptr; e = e->next) {
        if (std::strcmp(e->name(), entry->name()) == 0) {
            return e;
        }
    }
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
