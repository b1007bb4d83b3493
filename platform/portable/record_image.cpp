#include "platform/portable/record_image.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ostrel {

namespace {

constexpr std::size_t DevModeAlignment = 8;

// Pieces that follow the fixed records: texts first, device modes after them, and lists that
// lack their final empty text last, so that reading them runs into the end of the buffer.
struct Tail {
    std::size_t field;
    std::vector<BYTE> bytes;
    bool align;
};

std::vector<BYTE> TextBytes(const Json& value)
{
    const std::string text = BytesOfJsonString(value);
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::vector<BYTE> ListBytes(const Json& values, bool terminated)
{
    std::vector<BYTE> bytes;
    for (const Json& value : values) {
        const std::vector<BYTE> text = TextBytes(value);
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    if (terminated)
        bytes.push_back(0);
    return bytes;
}

std::size_t FieldSize(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Dword:
        return sizeof(DWORD);
    case FieldKind::Qword:
        return sizeof(std::uint64_t);
    case FieldKind::FileTime:
        return sizeof(FILETIME);
    case FieldKind::Text:
    case FieldKind::MultiText:
    case FieldKind::DevMode:
    case FieldKind::Pointer:
        break;
    }
    return sizeof(void*);
}

bool IsOutside(const Json& value)
{
    return value.is_object() && value.value("outside", false);
}

template <class T>
void Put(std::vector<BYTE>& bytes, std::size_t offset, T value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

}  // namespace

RecordImage::RecordImage(const RecordLayout& layout, const std::vector<const Json*>& records)
{
    bytes_.assign(layout.size * records.size(), 0);
    std::vector<Tail> texts;
    std::vector<Tail> devModes;
    std::vector<Tail> unterminated;
    std::size_t declaredSize = 0;

    for (std::size_t r = 0; r < records.size(); ++r) {
        const Json& record = *records[r];
        if (!record.is_object())
            throw std::runtime_error("a record must be an object, found " + Excerpt(record));
        for (const auto& [name, value] : record.items()) {
            bool known = name == "record_size";
            for (const RecordField& field : layout.fields)
                known = known || name == field.name;
            if (!known)
                throw std::runtime_error("level " + std::to_string(layout.level) + " has no field " + ShortText(name));
        }
        // What the spooler reports as needed is a 32-bit size.
        const std::size_t recordSize =
            record.contains("record_size")
                ? InMember("record_size", [&] { return std::size_t{IntegerOf<DWORD>(record.at("record_size"))}; })
                : 0;
        if (recordSize != 0)
            declaredSize = recordSize;
        // In an enumeration the records stand side by side at their full size: the fields a short
        // record does not cover are garbage, their pointers aimed outside the buffer.
        const bool shortInList = records.size() > 1 && recordSize != 0 && recordSize < layout.size;

        for (const RecordField& field : layout.fields) {
            const std::size_t at = r * layout.size + field.offset;
            const bool isPointer = field.kind == FieldKind::Text || field.kind == FieldKind::MultiText ||
                                   field.kind == FieldKind::DevMode || field.kind == FieldKind::Pointer;
            if (shortInList && field.offset + FieldSize(field.kind) > recordSize) {
                if (isPointer)
                    outsidePointers_.push_back(at);
                continue;
            }
            if (!record.contains(field.name) || record.at(field.name).is_null())
                continue;
            const Json& value = record.at(field.name);
            if (isPointer && IsOutside(value)) {
                outsidePointers_.push_back(at);
                continue;
            }
            InMember(field.name, [&] {
                switch (field.kind) {
                case FieldKind::Dword:
                    Put(bytes_, at, BitsOf<DWORD>(value));
                    break;
                case FieldKind::Qword:
                    Put(bytes_, at, BitsOf<std::uint64_t>(value));
                    break;
                case FieldKind::FileTime: {
                    const auto ticks = BitsOf<std::uint64_t>(value);
                    Put(bytes_, at, FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)});
                    break;
                }
                case FieldKind::Text:
                    texts.push_back({at, TextBytes(value), false});
                    break;
                case FieldKind::MultiText:
                    if (value.is_object() && value.contains("unterminated"))
                        unterminated.push_back({at, ListBytes(value.at("unterminated"), false), false});
                    else if (value.is_array())
                        texts.push_back({at, ListBytes(value, true), false});
                    else
                        texts.push_back({at, ListBytes(Json::array({value}), true), false});
                    break;
                case FieldKind::DevMode:
                    devModes.push_back({at, DevModeOfJson(value), true});
                    break;
                case FieldKind::Pointer:
                    break;
                }
            });
        }
    }

    for (const auto* group : {&texts, &devModes, &unterminated}) {
        for (const Tail& tail : *group) {
            if (tail.align)
                bytes_.resize((bytes_.size() + DevModeAlignment - 1) / DevModeAlignment * DevModeAlignment, 0);
            relocations_.emplace_back(tail.field, bytes_.size());
            bytes_.insert(bytes_.end(), tail.bytes.begin(), tail.bytes.end());
        }
    }
    needed_ = records.size() == 1 && declaredSize != 0 ? declaredSize : bytes_.size();
}

void RecordImage::CopyTo(BYTE* buffer) const
{
    if (needed_ == 0)
        return;
    std::memset(buffer, 0, needed_);
    if (!bytes_.empty())
        std::memcpy(buffer, bytes_.data(), std::min(needed_, bytes_.size()));
    const auto fits = [this](std::size_t field) { return field + sizeof(void*) <= needed_; };
    for (const auto& [field, target] : relocations_) {
        if (fits(field)) {
            const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(buffer) + target;
            std::memcpy(buffer + field, &address, sizeof address);
        }
    }
    for (const std::size_t field : outsidePointers_) {
        if (fits(field)) {
            const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(buffer) + needed_ + 0x1000;
            std::memcpy(buffer + field, &address, sizeof address);
        }
    }
}

}  // namespace ostrel
