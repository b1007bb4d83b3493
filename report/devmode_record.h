// A device mode that a report build keeps: a private copy of exactly dmSize + dmDriverExtra bytes,
// made only when the record fits the bytes it came in, or the whole buffer a driver filled; and the
// field-by-field comparison of two.
#pragma once

#include "platform/spooler.h"
#include "platform/win_records.h"
#include "report/devmode_fields.h"

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ostrel {

// Every read is checked against the bytes held. A record whose dmSize + dmDriverExtra is below
// the fixed part (70 bytes) is kept as it is; the first field read that lies beyond it raises
// DataFault instead of reading past the copy, so the listing shows the fields that fit and the
// section's guard then writes the exception marker.
class DevModeRecord {
public:
    std::size_t Size() const { return bytes_.size(); }
    std::span<const BYTE> Bytes(std::size_t offset, std::size_t length) const;
    // The part of [offset, offset + length) that the record holds: shorter, or empty, where it
    // runs past the end.
    std::span<const BYTE> HeldBytes(std::size_t offset, std::size_t length) const;
    WORD Word(std::size_t offset) const;
    DWORD Dword(std::size_t offset) const;
    // Up to the first zero byte, never beyond length bytes.
    std::string Text(std::size_t offset, std::size_t length) const;

    WORD DmSize() const { return Word(DevModeSizeOffset); }
    WORD DmDriverExtra() const { return Word(DevModeDriverExtraOffset); }
    // The fixed part always is; a size-dependent field only when dmSize reaches its end.
    bool Holds(const DevModeField& field) const;

private:
    friend std::unique_ptr<DevModeRecord> CopyDevMode(const void* record, std::size_t available);
    friend std::unique_ptr<DevModeRecord> DevModeOfBuffer(const BYTE* buffer, std::size_t size);
    explicit DevModeRecord(std::span<const BYTE> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    std::vector<BYTE> bytes_;
};

// A copy of exactly dmSize + dmDriverExtra bytes; null for a null record. available is how many
// bytes follow record in the memory it lies in (the spooler's buffer, the locked handle's block);
// a record that does not fit is a DataFault.
std::unique_ptr<DevModeRecord> CopyDevMode(const void* record, std::size_t available);

// The record a driver wrote into a buffer of the size it asked for: all size bytes of it, whatever
// its dmSize and dmDriverExtra say, so that every field inside the buffer is listed.
std::unique_ptr<DevModeRecord> DevModeOfBuffer(const BYTE* buffer, std::size_t size);

// False when either is null; otherwise equal in every field that dmSize covers and in the
// driver-private bytes. The names compare with the system's lstrcmpA. A field that runs past the
// end of both records is compared in the bytes both hold.
bool DevModesEqual(Spooler& system, const DevModeRecord* a, const DevModeRecord* b);

}  // namespace ostrel
