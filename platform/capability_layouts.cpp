#include "platform/capability_layouts.h"

#include <cstddef>
#include <cstring>

namespace ostrel {

namespace {

constexpr CapabilityLayout Layouts[] = {
    {1, "DC_FIELDS", EntryKind::None, 0},
    {2, "DC_PAPERS", EntryKind::Word, 2},
    {3, "DC_PAPERSIZE", EntryKind::Pair, 8},
    {4, "DC_MINEXTENT", EntryKind::None, 0},
    {5, "DC_MAXEXTENT", EntryKind::None, 0},
    {6, "DC_BINS", EntryKind::Word, 2},
    {7, "DC_DUPLEX", EntryKind::None, 0},
    {8, "DC_SIZE", EntryKind::None, 0},
    {9, "DC_EXTRA", EntryKind::None, 0},
    {10, "DC_VERSION", EntryKind::None, 0},
    {11, "DC_DRIVER", EntryKind::None, 0},
    {12, "DC_BINNAMES", EntryKind::Name, 24},
    {13, "DC_ENUMRESOLUTIONS", EntryKind::Pair, 8},
    {14, "DC_FILEDEPENDENCIES", EntryKind::Name, 64},
    {15, "DC_TRUETYPE", EntryKind::None, 0},
    {16, "DC_PAPERNAMES", EntryKind::Name, 64},
    {17, "DC_ORIENTATION", EntryKind::None, 0},
    {18, "DC_COPIES", EntryKind::None, 0},
    {19, "DC_BINADJUST", EntryKind::None, 0},
    {20, "DC_EMF_COMPLIANT", EntryKind::None, 0},
    {21, "DC_DATATYPE_PRODUCED", EntryKind::DocInfo, sizeof(DOCINFOA)},
    {22, "DC_COLLATE", EntryKind::None, 0},
    {23, "DC_MANUFACTURER", EntryKind::None, 0},
    {24, "DC_MODEL", EntryKind::None, 0},
    {25, "DC_PERSONALITY", EntryKind::Name, 32},
    {26, "DC_PRINTRATE", EntryKind::None, 0},
    {27, "DC_PRINTRATEUNIT", EntryKind::None, 0},
    {28, "DC_PRINTERMEM", EntryKind::None, 0},
    {29, "DC_MEDIAREADY", EntryKind::Name, 64},
    {30, "DC_STAPLE", EntryKind::None, 0},
    {31, "DC_PRINTRATEPPM", EntryKind::None, 0},
    {32, "DC_COLORDEVICE", EntryKind::None, 0},
    {33, "DC_NUP", EntryKind::Dword, 4},
    {34, "DC_MEDIATYPENAMES", EntryKind::WideName, 128},
    {35, "DC_MEDIATYPES", EntryKind::Dword, 4},
};

// cbSize and three text pointers, then fwType; a 64-bit record aligns its pointers to 8 bytes.
constexpr DocInfoEnds Win32DocInfo = {16, 20};
constexpr DocInfoEnds Win64DocInfo = {32, 36};

constexpr DocInfoEnds NativeDocInfo = sizeof(void*) == 4 ? Win32DocInfo : Win64DocInfo;
static_assert(offsetof(DOCINFOA, lpszDatatype) + sizeof(LPCSTR) == NativeDocInfo.dataType &&
                  offsetof(DOCINFOA, fwType) + sizeof(DWORD) == NativeDocInfo.type,
              "DOCINFOA must keep the platform's layout");

}  // namespace

DocInfoEnds DocInfoEndsIn(WindowsLayout layout)
{
    return layout == WindowsLayout::Win64 ? Win64DocInfo : Win32DocInfo;
}

const CapabilityLayout* CapabilityByIndex(WORD index)
{
    return index >= 1 && index <= 35 ? &Layouts[index - 1] : nullptr;
}

const CapabilityLayout* CapabilityByName(const char* name)
{
    for (const CapabilityLayout& layout : Layouts)
        if (std::strcmp(layout.name, name) == 0)
            return &layout;
    return nullptr;
}

}  // namespace ostrel
