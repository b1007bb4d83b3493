#include "desktop/windows/command_images.h"

#include "desktop/command_table.h"
#include "desktop/res/resource_ids.h"
#include "desktop/user_messages.h"
#include "desktop/windows/program_look.h"
#include "platform/win32/ui/application.h"


namespace ostrel {

namespace {

constexpr COLORREF Transparent = RGB(255, 0, 255);

ui::UniqueImageList LoadStrip(int resource, int count)
{
    ui::UniqueImageList list(ImageList_Create(SmallImageSize, SmallImageSize, ILC_COLOR24 | ILC_MASK, count, 0));
    const ui::UniqueBitmap strip(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!list || !strip || ImageList_AddMasked(list.get(), strip.get(), Transparent) < 0)
        throw ui::MessageError(CannotCreateMessage(WindowPart::CommandImages));
    return list;
}

}  // namespace

ui::UniqueImageList LoadCommandImages()
{
    return LoadStrip(IDB_COMMANDS, CommandImageCount);
}

ui::UniqueImageList LoadInformationImage()
{
    return LoadStrip(IDB_INFORMATION, 1);
}

}  // namespace ostrel
