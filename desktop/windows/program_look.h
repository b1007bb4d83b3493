// What the program's windows share in their look: the title of the frame and of the message boxes,
// and the side of the small images (the commands' images, the printers' icons).
#pragma once

namespace ostrel {

constexpr wchar_t ProgramTitle[] = L"Ostrel";
constexpr int SmallImageSize = 16;

}  // namespace ostrel
