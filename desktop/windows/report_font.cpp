#include "desktop/windows/report_font.h"

namespace ostrel {

namespace {

constexpr const wchar_t* ReportFontName = L"ＭＳ ゴシック";
constexpr int ReportFontHeight = -12;

}  // namespace

ui::UniqueFont CreateReportFont()
{
    return ui::UniqueFont(CreateFontW(ReportFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FIXED_PITCH | FF_MODERN, ReportFontName));
}

}  // namespace ostrel
