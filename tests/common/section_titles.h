// The section titles every report holds, in order, whatever the spooler answered (the Current
// section is written only for the printer object's printer). Shared by the tests and the fuzzers.
#pragma once

namespace ostrel::testing {

constexpr const char* FixedSectionTitles[] = {
    "- Ostrel -",
    "- PRINTER_INFO_1 -",
    "- PRINTER_INFO_2 -",
    "- PRINTER_INFO_4 [NT3.5] -",
    "- PRINTER_INFO_5 [95,NT4] -",
    "- PRINTER_INFO_6 [NT4] -",
    "- PRINTER_INFO_7 [2000] -",
    "- DRIVER_INFO_1 -",
    "- DRIVER_INFO_2 -",
    "- DRIVER_INFO_3 [95,NT4] -",
    "- DRIVER_INFO_4 [2000] -",
    "- DRIVER_INFO_5 [2000] -",
    "- DRIVER_INFO_6 [Me,2000] -",
    "- Default DEVMODE (PRINTER_INFO_2) -",
    "- User default DEVMODE (PRINTER_INFO_8 [2000]) -",
    "- Global default DEVMODE (PRINTER_INFO_9 [2000]) -",
    "- DEVMODE (DocumentProperties) -",
};

}  // namespace ostrel::testing
