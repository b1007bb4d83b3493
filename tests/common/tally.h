// Counts a test program's checks and prints each failure as it happens.
#pragma once

#include <string>

namespace ostrel::testing {

class Tally {
public:
    // Records one check; a failure prints "FAILED <what>" (and the detail, when given) at once.
    bool Check(bool ok, const std::string& what, const std::string& detail = {});
    // A check that could not run because something it needs is missing counts as failed.
    void Fail(const std::string& what, const std::string& detail = {}) { Check(false, what, detail); }

    int Passed() const { return passed_; }
    int Failed() const { return failed_; }
    // "N passed, N failed", the line the test scripts read.
    std::string Summary() const;

private:
    int passed_ = 0;
    int failed_ = 0;
};

// Narrow UTF-8 form of a wide text, for messages.
std::string Utf8(const std::wstring& text);

}  // namespace ostrel::testing
