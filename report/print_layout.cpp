#include "report/print_layout.h"

#include <utility>

namespace ostrel {

std::vector<PrintLine> PrintLinesOf(const MemoryDocument& document)
{
    const std::string text = document.Text();
    std::vector<PrintLine> lines;
    PrintLine line;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const CharFormat format = document.FormatAt(static_cast<int>(at));
        if (text[at] == '\n') {
            if (line.empty())
                line.push_back(PrintRun{{}, format});
            lines.push_back(std::move(line));
            line.clear();
        } else if (!line.empty() && line.back().format == format) {
            line.back().text.push_back(text[at]);
        } else {
            line.push_back(PrintRun{std::string(1, text[at]), format});
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::size_t> PageStarts(std::span<const int> lineHeights, int pageHeight)
{
    std::vector<std::size_t> starts{0};
    int used = 0;
    for (std::size_t line = 0; line < lineHeights.size(); ++line) {
        if (used > 0 && used + lineHeights[line] > pageHeight) {
            starts.push_back(line);
            used = 0;
        }
        used += lineHeights[line];
    }
    return starts;
}

}  // namespace ostrel
