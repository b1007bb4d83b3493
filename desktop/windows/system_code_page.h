// The system code page as the report's search and its line positions need it.
#pragma once

#include "report/find_rules.h"

namespace ostrel {

// Its lead bytes, and its letters' case as the locale has it.
const CodePageRules& SystemCodePageRules();

}  // namespace ostrel
