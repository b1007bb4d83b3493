#include "desktop/windows/report_font.h"

namespace ostrel {

namespace {

constexpr const wchar_t* ReportFontName = L"ＭＳ ゴシック";
constexpr int ReportFontHeight = -12;
// The windows' own proportional font, in which their lists show.
constexpr const wchar_t* FormFontName = L"ＭＳ Ｐゴシック";

}  // namespace

ui::UniqueFont CreateReportFont()
{
    return ui::UniqueFont(CreateFontW(ReportFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      FIXED_PITCH | FF_MODERN, ReportFontName));
}

ui::UniqueFont CreateFormFont()
{
    return ui::UniqueFont(CreateFontW(ReportFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                      DEFAULT_PITCH | FF_DONTCARE, FormFontName));
}

}  // namespace ostrel
