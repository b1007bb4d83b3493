// Checks shared by the groups: the report a window shows against the report tool's.
#pragma once

#include "tests/ui/bed.h"
#include "tests/ui/ostrel_session.h"

#include <windows.h>

#include <string>
#include <vector>

namespace ostrel::uitest {

int IndexOf(const std::vector<std::wstring>& entries, const std::wstring& text);
// The report window whose caption is the text, or null (the program itself links entries and
// windows by pointer; captions are what a user sees).
HWND ReportWindowCaptioned(const OstrelSession& session, const std::wstring& caption);
// The report tool's plain text for the entry, made wide, as the control holds it (no line break
// after the last line).
std::wstring ExpectedReportText(const Bed& bed, const std::wstring& entry);
// Empty when the texts are equal, else where they part (position and both sides).
std::string Difference(const std::wstring& shown, const std::wstring& expected);
// The print server's jobs: one control file each in its spool folder ("c" and the job number).
std::vector<std::wstring> JobFiles(const Bed& bed);

}  // namespace ostrel::uitest
