#include "names/name_tables.h"

namespace ostrel {

const char* LookupName(std::int32_t value, const NameEntry* table) {
    for (const NameEntry* row = table; row->name != nullptr; ++row) {
        if (row->value == value) {
            return row->name;
        }
    }
    return nullptr;
}

int TakeNextFlag(std::uint32_t& remaining, const NameEntry* table, int previous) {
    for (int index = previous + 1; table[index].name != nullptr; ++index) {
        // Compare as bit patterns: the sign bit is an ordinary flag here.
        const auto bits = static_cast<std::uint32_t>(table[index].value);
        if ((bits & remaining) != 0) {
            remaining &= ~bits;
            return index;
        }
    }
    return -1;
}

}  // namespace ostrel
