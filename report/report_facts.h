// What one report build read from the spooler and the driver, kept for judging afterwards: the
// capability answers, the printer's port and status, and the five device modes. The sections fill
// it while they write, from the same checked answers they show, so that judging a report never asks
// the spooler a second time.
#pragma once

#include "report/capability_query.h"
#include "report/devmode_record.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace ostrel {

enum DevModeSource : std::size_t {
    DefaultDevMode,
    UserDefaultDevMode,
    GlobalDefaultDevMode,
    DocumentPropertiesDevMode,
    CurrentDevMode,
    DevModeSourceCount
};

struct DevModeFacts {
    std::string sectionTitle;  // empty when the section was not written
    std::shared_ptr<const DevModeRecord> record;
    // The earlier source the report folded this one into ("Same as ..."), if any.
    std::optional<std::size_t> sameAs;
};

struct PrinterRecordFacts {
    std::string portName;
    DWORD status = 0;
};

struct ReportFacts {
    std::string deviceName;
    std::string devicesPort;  // the port of the printer's "devices" entry, empty when it has none
    bool opened = false;
    CapabilityAnswers capabilities;
    std::optional<PrinterRecordFacts> printerInfo2;
    std::optional<std::int32_t> documentPropertiesSize;  // the size query's answer
    std::array<DevModeFacts, DevModeSourceCount> devModes;

};

}  // namespace ostrel
