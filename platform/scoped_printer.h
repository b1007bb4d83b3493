// An open printer handle, closed through its spooler when it goes out of scope.
#pragma once

#include "platform/spooler.h"

namespace ostrel {

class ScopedPrinter {
public:
    explicit ScopedPrinter(Spooler& spooler) : spooler_(spooler) {}
    // A close that fails or raises has nothing left to spoil: whatever used the printer is done.
    ~ScopedPrinter()
    {
        if (handle_ == nullptr)
            return;
        try {
            spooler_.ClosePrinter(handle_);
        } catch (...) {
        }
    }
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;

    // Opens for use, as a report does; false when the spooler refuses (its last error says why).
    // After a refusal the handle stays null, whatever the spooler wrote into it.
    bool Open(const std::string& name)
    {
        PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
        PrinterHandle opened = nullptr;
        if (!spooler_.OpenPrinterA(name, &opened, &defaults))
            return false;
        handle_ = opened;
        return true;
    }
    PrinterHandle Get() const { return handle_; }

private:
    Spooler& spooler_;
    PrinterHandle handle_ = nullptr;
};

}  // namespace ostrel
