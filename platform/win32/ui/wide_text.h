// Between the system code page (the spooler's texts, the report) and UTF-16 (the window texts).
#pragma once

#include <string>

namespace ostrel::ui {

std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace ostrel::ui
