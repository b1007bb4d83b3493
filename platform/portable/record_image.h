// Spooler records as a description file gives them, laid out the way the spooler returns them:
// the fixed records first, then the texts and device modes they point to. Pointers are kept as
// offsets and relocated into whatever buffer the caller passes.
#pragma once

#include "platform/portable/description_values.h"
#include "platform/record_fields.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace ostrel {

class RecordImage {
public:
    // One record per element of records, laid end to end. A record may carry "record_size" to
    // make the spooler report (and fill) another size than its layout needs.
    // Throws std::runtime_error when a value does not fit its field.
    RecordImage(const RecordLayout& layout, const std::vector<const Json*>& records);

    std::size_t Needed() const { return needed_; }
    // Writes Needed() bytes into buffer, pointers aimed into buffer.
    void CopyTo(BYTE* buffer) const;

private:
    std::vector<BYTE> bytes_;
    std::size_t needed_ = 0;
    std::vector<std::pair<std::size_t, std::size_t>> relocations_;  // pointer field, target offset
    std::vector<std::size_t> outsidePointers_;                      // fields aimed past the buffer
};

}  // namespace ostrel
