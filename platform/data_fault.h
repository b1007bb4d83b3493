// Raised when data returned by a spooler or driver fails a check before it is read: a pointer
// outside its buffer, a count that overflows, a record shorter than its layout.
#pragma once

#include <stdexcept>
#include <string>

namespace ostrel {

class DataFault : public std::runtime_error {
public:
    explicit DataFault(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace ostrel
