// What every report must hold, whatever the spooler answered: all section titles in order, the
// update ended, and both renderings of the text. A broken rule aborts, which the fuzzer records.
#pragma once

#include "findings/findings.h"
#include "platform/portable/memory_document.h"
#include "report/report_builder.h"
#include "tests/common/section_titles.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ostrel::fuzz {

inline void Require(bool holds, const char* rule)
{
    if (!holds) {
        std::fprintf(stderr, "broken rule: %s\n", rule);
        std::abort();
    }
}


inline void CheckRtf(const std::string& rtf)
{
    Require(rtf.rfind("{\\rtf1", 0) == 0, "the RTF starts its document");
    int depth = 0;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\')
            ++i;
        else if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}')
            Require(--depth > 0 || i + 1 == rtf.size() || rtf.substr(i + 1).find_first_not_of("\r\n") == std::string::npos,
                    "the RTF closes its document group last");
    }
    Require(depth == 0, "the RTF groups are balanced");
}

// Builds the report for entry, keeping what it read, and checks it and its findings. A driver's
// texts may hold line breaks, so a title is looked for as a whole line after the one before it, not
// as the only line of its shape.
inline void CheckReport(Spooler& spooler, const std::string& entry)
{
    MemoryDocument document;
    ReportFacts facts;
    ReportBuilder(spooler, document).MakeReport(entry, &facts);
    for (const Finding& finding : FindingsOf(facts))
        Require(!finding.text.empty() && !finding.lines.empty(), "a finding says what and where");
    Require(document.UpdateDepth() == 0, "the update is ended");
    Require(document.SelectionStart() == 0 && document.SelectionLength() == 0, "the caret stands at the start");

    const std::string text = "\n" + document.Text();
    std::string::size_type at = 0;
    for (const char* title : testing::FixedSectionTitles) {
        at = text.find("\n" + std::string(title) + "\n", at);
        Require(at != std::string::npos, "every section title, in order");
        ++at;
    }

    const std::string plain = document.PlainText();
    Require(plain.size() == document.Text().size() + static_cast<std::size_t>(document.LineCount()),
            "plain text ends every line with CR LF");
    // Text that reaches the RTF unescaped shows as unbalanced groups; the double-byte code page
    // reads its text another way than a single-byte one.
    for (const unsigned codePage : {1252u, 932u})
        CheckRtf(document.Rtf(codePage));
}

}  // namespace ostrel::fuzz
