#include "platform/portable/scripted_spooler.h"

#include "platform/capability_layouts.h"
#include "platform/printer_list.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <strings.h>
#include <utility>

namespace ostrel {

namespace {

// Error codes the spooler sets, as the platform numbers them.
constexpr DWORD ErrorInvalidHandle = 6;
constexpr DWORD ErrorInsufficientBuffer = 122;
constexpr DWORD ErrorInvalidLevel = 124;
constexpr DWORD ErrorInvalidPrinterName = 1801;

constexpr std::size_t ProfileValueLimit = 2047;

// A text pointer of a driver record that leads nowhere readable.
const char* const UnreadableText = reinterpret_cast<const char*>(std::uintptr_t{0x10});

// A member of an object, or an empty object: loops must not iterate over a temporary.
const Json& Member(const Json& object, const char* key)
{
    static const Json empty = Json::object();
    return object.contains(key) ? object.at(key) : empty;
}

// memcpy wants valid pointers even for no bytes; an empty vector has none.
void CopyBytes(void* to, const void* from, std::size_t count)
{
    if (count > 0)
        std::memcpy(to, from, count);
}

bool SameName(const std::string& a, const char* b)
{
    return b != nullptr && strcasecmp(a.c_str(), b) == 0;
}

// Printer names are compared as the spooler compares them: letter case aside.
std::string NameKey(std::string name)
{
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
}

std::string Quoted(const std::string& bytes)
{
    return Excerpt(JsonStringOfBytes(bytes));
}

// The levels of a printer's or driver's records, by number.
std::map<DWORD, const Json*> LevelsOf(const Json& levels)
{
    if (!levels.is_object())
        throw std::runtime_error("expected an object of records by level, found " + Excerpt(levels));
    std::map<DWORD, const Json*> records;
    for (const auto& [key, value] : levels.items())
        records[DwordOfKey(key)] = &value;
    return records;
}

}  // namespace

void ScriptedSpooler::LoadFile(const std::string& path)
{
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read: " + (errno != 0 ? std::strerror(errno) : "the stream failed"));
    std::stringstream text;
    text << file.rdbuf();
    LoadText(text.str(), path);
}

void ScriptedSpooler::LoadText(const std::string& text, const std::string& origin)
{
    Json description;
    try {
        description = ParseDescription(text);
    } catch (const std::exception& error) {
        throw std::runtime_error(origin + ": " + error.what());
    }
    Load(description, origin);
}

void ScriptedSpooler::Load(const Json& description, const std::string& origin)
{
    try {
        CheckDepth(description);
        if (!description.is_object())
            throw std::runtime_error("expected an object with \"printers\", found " + Excerpt(description));
        const Json& system = Member(description, "system");
        if (!system.is_object())
            throw std::runtime_error("system: expected an object, found " + Excerpt(system));
        const WindowsFamily family = InMember("family", [&] {
            return system.value("family", "nt") == "95" ? WindowsFamily::Windows95 : family_;
        });
        const DWORD codePage = system.contains("code_page")
                                   ? InMember("code_page", [&] {
                                         const DWORD value = IntegerOf<DWORD>(system.at("code_page"));
                                         if (value - 1 > 0xFFFE)
                                             throw std::runtime_error("not a code page number (1 to 65535)");
                                         return value;
                                     })
                                   : codePage_;
        const WindowsLayout layout = WindowsLayoutOfJson(system);
        std::map<DWORD, std::string> messages;
        // Named references, not a structured binding: clang 14 cannot capture those in a lambda.
        for (const auto& message : Member(system, "messages").items()) {
            const std::string& code = message.key();
            const Json& text = message.value();
            messages[InMember("messages", [&] { return DwordOfKey(code); })] =
                InMember("messages: " + ShortText(code), [&] { return BytesOfJsonString(text); });
        }

        std::optional<Current> current;
        std::optional<std::vector<BYTE>> currentDevMode;
        if (system.contains("current_printer") && !system.at("current_printer").is_null()) {
            const Json& printer = system.at("current_printer");
            current = InMember("current_printer", [&] {
                if (!printer.is_object())
                    throw std::runtime_error("expected an object, found " + Excerpt(printer));
                Current read;
                const auto text = [&](const char* name) {
                    return InMember(name, [&] { return BytesOfJsonString(printer.value(name, Json(""))); });
                };
                if (printer.contains("error"))
                    read.error = text("error");
                read.deviceName = text("name");
                read.driverName = text("driver");
                read.portName = text("port");
                if (printer.contains("devmode") && !printer.at("devmode").is_null())
                    currentDevMode = InMember("devmode", [&] { return DevModeOfJson(printer.at("devmode")); });
                return read;
            });
        }

        const Json& list = InMember("printers", [&]() -> const Json& {
            if (!description.contains("printers"))
                throw std::runtime_error("no \"printers\" member: the file lists no printers");
            const Json& printers = description.at("printers");
            if (!printers.is_array())
                throw std::runtime_error("expected an array of printers, found " + Excerpt(printers));
            return printers;
        });
        std::deque<Printer> printers;
        std::unordered_map<std::string, std::size_t> byName;
        for (const Json& printer : list) {
            printers.push_back(ParsePrinter(printer));
            printers.back().layout = layout;
            const std::string& name = printers.back().name;
            const std::string key = NameKey(name);
            const auto known = byName_.find(key);
            const auto added = byName.find(key);
            if (known != byName_.end() || added != byName.end()) {
                const std::string& other = known != byName_.end() ? printers_[known->second].name
                                                                  : printers[added->second - printers_.size()].name;
                throw std::runtime_error("printers " + Quoted(other) + " and " + Quoted(name) +
                                         " differ only in letter case; one system cannot hold both");
            }
            byName.emplace(key, printers_.size() + printers.size() - 1);
        }

        family_ = family;
        codePage_ = codePage;
        messages.merge(messages_);
        messages_ = std::move(messages);
        if (current) {
            if (currentDevMode) {
                devModeBlocks_.push_back(std::move(*currentDevMode));
                current->devMode = &devModeBlocks_.back();
            }
            current_ = std::move(current);
        }
        byName_.merge(byName);
        for (Printer& printer : printers) {
            printers_.push_back(std::move(printer));
            handles_.insert(&printers_.back());
        }
    } catch (const std::exception& error) {
        throw std::runtime_error(origin + ": " + PlainJsonProblem(error.what()));
    }
}

ScriptedSpooler::Printer ScriptedSpooler::ParsePrinter(const Json& description)
{
    if (!description.is_object())
        throw std::runtime_error("a printer must be an object, found " + Excerpt(description));
    Printer printer;
    printer.name = InMember("name", [&] { return BytesOfJsonString(description.at("name")); });
    try {
        if (description.contains("devices"))
            printer.devices = InMember("devices", [&] { return BytesOfJsonString(description.at("devices")); });
        if (description.contains("open_error"))
            printer.openError = InMember("open_error", [&] { return BitsOf<DWORD>(description.at("open_error")); });

        InMember("capabilities", [&] {
            for (const auto& [name, value] : Member(description, "capabilities").items()) {
                const CapabilityLayout* layout = CapabilityByName(name.c_str());
                if (layout == nullptr)
                    throw std::runtime_error("unknown capability " + ShortText(name));
                printer.capabilities[layout->index] =
                    InMember(name, [&, &value = value] { return ParseCapability(layout->index, value); });
            }
        });

        const auto parseLevels = [&](const char* member, auto layoutOf, std::map<DWORD, Level>& into) {
            return InMember(member, [&] {
                const std::map<DWORD, const Json*> records = LevelsOf(Member(description, member));
                for (const auto& [level, record] : records) {
                    InMember(std::to_string(level), [&, level = level, record = record] {
                        const RecordLayout* layout = layoutOf(level);
                        if (layout == nullptr)
                            throw std::runtime_error("no record of this level is known");
                        if (record->is_object() && record->contains("error"))
                            into[level].error = InMember("error", [&] { return BitsOf<DWORD>(record->at("error")); });
                        else
                            into[level].image.emplace(*layout, std::vector<const Json*>{record});
                    });
                }
                return records;
            });
        };
        const std::map<DWORD, const Json*> printerRecords =
            parseLevels("printer_info", PrinterInfoLayout, printer.printerLevels);
        parseLevels("driver_info", DriverInfoLayout, printer.driverLevels);

        // The printer's records of levels 4 and 5 are also its records in the spooler's enumeration.
        const auto enumerated = [&](DWORD level) -> const Json* {
            const auto found = printerRecords.find(level);
            return found != printerRecords.end() && !printer.printerLevels[level].error ? found->second : nullptr;
        };
        const Json& name = description.at("name");
        const std::string port = PortNameOfDevicesValue(printer.devices.value_or(""));
        printer.enumRecord4 = enumerated(4) != nullptr ? *enumerated(4) : Json{{"pPrinterName", name}};
        printer.enumRecord5 = enumerated(5) != nullptr ? *enumerated(5)
                                                       : Json{{"pPrinterName", name}, {"pPortName", JsonStringOfBytes(port)}};

        if (description.contains("document_properties")) {
            InMember("document_properties", [&] {
                const Json& properties = description.at("document_properties");
                if (!properties.is_object())
                    throw std::runtime_error("expected an object, found " + Excerpt(properties));
                if (properties.contains("devmode"))
                    printer.documentRecord = InMember("devmode", [&] { return DevModeOfJson(properties.at("devmode")); });
                printer.documentSize = properties.contains("size")
                                           ? InMember("size", [&] { return IntegerOf<std::int32_t>(properties.at("size")); })
                                           : static_cast<std::int32_t>(printer.documentRecord.size());
                if (properties.contains("fill_result"))
                    printer.documentFillResult =
                        InMember("fill_result", [&] { return IntegerOf<std::int32_t>(properties.at("fill_result")); });
            });
        }
    } catch (const std::exception& error) {
        throw std::runtime_error("printer " + Quoted(printer.name) + ": " + error.what());
    }
    return printer;
}

ScriptedSpooler::Capability ScriptedSpooler::ParseCapability(WORD index, const Json& value)
{
    Capability capability;
    const Json* entries = nullptr;
    if (value.is_number()) {
        capability.answer = IntegerOf<std::int32_t>(value);
    } else if (value.is_array()) {
        entries = &value;
        capability.answer = static_cast<std::int32_t>(value.size());
    } else if (value.is_object()) {
        if (value.contains("entries")) {
            entries = &value.at("entries");
            if (!entries->is_array())
                throw std::runtime_error("entries: expected an array, found " + Excerpt(*entries));
        }
        capability.answer = value.contains("answer")
                                ? InMember("answer", [&] { return IntegerOf<std::int32_t>(value.at("answer")); })
                                : static_cast<std::int32_t>(entries ? entries->size() : 0);
        if (value.contains("fill_answer"))
            capability.fillAnswer =
                InMember("fill_answer", [&] { return IntegerOf<std::int32_t>(value.at("fill_answer")); });
    } else {
        throw std::runtime_error("expected a number, an array or an object, found " + Excerpt(value));
    }
    if (entries != nullptr) {
        for (std::size_t i = 0; i < entries->size(); ++i) {
            const std::vector<BYTE> bytes =
                InMember("entry " + std::to_string(i), [&] { return ParseEntry(index, entries->at(i)); });
            capability.entries.insert(capability.entries.end(), bytes.begin(), bytes.end());
        }
    }
    return capability;
}

const char* ScriptedSpooler::DriverText(const Json& record, const char* field)
{
    if (!record.contains(field) || record.at(field).is_null())
        return nullptr;
    const Json& value = record.at(field);
    if (value.is_object() && value.value("unreadable", false))
        return UnreadableText;
    driverTexts_.push_back(InMember(field, [&] { return BytesOfJsonString(value); }));
    const std::string& text = driverTexts_.back();
    driverMemory_[reinterpret_cast<std::uintptr_t>(text.c_str())] = text.size() + 1;
    return text.c_str();
}

std::vector<BYTE> ScriptedSpooler::ParseEntry(WORD index, const Json& entry)
{
    const CapabilityLayout& layout = *CapabilityByIndex(index);
    std::vector<BYTE> bytes(layout.entrySize, 0);
    switch (layout.kind) {
    case EntryKind::None:
        throw std::runtime_error(std::string(layout.name) + " answers a single value, not entries");
    case EntryKind::Word: {
        const auto number = BitsOf<WORD>(entry);
        std::memcpy(bytes.data(), &number, sizeof number);
        break;
    }
    case EntryKind::Dword: {
        const auto number = BitsOf<DWORD>(entry);
        std::memcpy(bytes.data(), &number, sizeof number);
        break;
    }
    case EntryKind::Pair: {
        if (!entry.is_array() || entry.size() != 2)
            throw std::runtime_error("expected [x, y], found " + Excerpt(entry));
        const std::int32_t pair[2] = {BitsOf<std::int32_t>(entry.at(0)), BitsOf<std::int32_t>(entry.at(1))};
        std::memcpy(bytes.data(), pair, sizeof pair);
        break;
    }
    case EntryKind::Name: {
        const std::string text = BytesOfJsonString(entry);
        CopyBytes(bytes.data(), text.data(), std::min(text.size(), bytes.size()));
        break;
    }
    case EntryKind::WideName: {
        const std::u16string text = Utf16OfJsonString(entry);
        CopyBytes(bytes.data(), text.data(), std::min(text.size() * sizeof(char16_t), bytes.size()));
        break;
    }
    case EntryKind::DocInfo: {
        if (!entry.is_object())
            throw std::runtime_error("expected a DOCINFO object, found " + Excerpt(entry));
        DOCINFOA record{};
        record.cbSize = entry.contains("cbSize") ? InMember("cbSize", [&] { return BitsOf<int>(entry.at("cbSize")); })
                                                 : static_cast<int>(sizeof(DOCINFOA));
        record.lpszDocName = DriverText(entry, "lpszDocName");
        record.lpszOutput = DriverText(entry, "lpszOutput");
        record.lpszDatatype = DriverText(entry, "lpszDatatype");
        if (entry.contains("fwType"))
            record.fwType = InMember("fwType", [&] { return BitsOf<DWORD>(entry.at("fwType")); });
        std::memcpy(bytes.data(), &record, sizeof record);
        break;
    }
    }
    return bytes;
}

bool ScriptedSpooler::HasPrinter(const std::string& name) const
{
    return Find(name.c_str()) != nullptr;
}

const std::string* ScriptedSpooler::EnumeratedPrinterName(std::size_t index) const
{
    return index < printers_.size() ? &printers_[index].name : nullptr;
}

const ScriptedSpooler::Printer* ScriptedSpooler::Find(const char* name) const
{
    if (name == nullptr)
        return nullptr;
    const auto found = byName_.find(NameKey(name));
    return found != byName_.end() ? &printers_[found->second] : nullptr;
}

ScriptedSpooler::Printer* ScriptedSpooler::Find(const char* name)
{
    return const_cast<Printer*>(std::as_const(*this).Find(name));
}

ScriptedSpooler::Printer* ScriptedSpooler::FromHandle(PrinterHandle handle)
{
    return handles_.count(handle) != 0 ? static_cast<Printer*>(handle) : nullptr;
}

bool ScriptedSpooler::OpenPrinterA(const std::string& name, PrinterHandle* handle, PRINTER_DEFAULTSA*)
{
    *handle = nullptr;
    Printer* printer = Find(name.c_str());
    if (printer == nullptr || printer->openError) {
        lastError_ = printer == nullptr ? ErrorInvalidPrinterName : *printer->openError;
        return false;
    }
    *handle = printer;
    ++openHandles_;
    return true;
}

bool ScriptedSpooler::ClosePrinter(PrinterHandle handle)
{
    if (FromHandle(handle) == nullptr) {
        lastError_ = ErrorInvalidHandle;
        return false;
    }
    --openHandles_;
    return true;
}

std::int32_t ScriptedSpooler::DeviceCapabilitiesA(const char* device, const char*, WORD capability, void* output,
                                                  std::size_t outputSize)
{
    Printer* printer = Find(device);
    if (printer == nullptr)
        return -1;
    const auto found = printer->capabilities.find(capability);
    if (found == printer->capabilities.end())
        return -1;
    const Capability& answer = found->second;
    if (output == nullptr)
        return answer.answer;
    CopyBytes(output, answer.entries.data(), std::min(answer.entries.size(), outputSize));
    return answer.fillAnswer.value_or(answer.answer);
}

bool ScriptedSpooler::Answer(std::map<DWORD, Level>& levels, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    *needed = 0;
    const auto found = levels.find(level);
    if (found == levels.end() || found->second.error) {
        lastError_ = found == levels.end() ? ErrorInvalidLevel : *found->second.error;
        return false;
    }
    const RecordImage& image = *found->second.image;
    *needed = static_cast<DWORD>(image.Needed());
    if (buffer == nullptr || size < image.Needed()) {
        lastError_ = ErrorInsufficientBuffer;
        return false;
    }
    image.CopyTo(buffer);
    return true;
}

bool ScriptedSpooler::GetPrinterA(PrinterHandle handle, DWORD level, BYTE* buffer, DWORD size, DWORD* needed)
{
    Printer* printer = FromHandle(handle);
    if (printer == nullptr) {
        *needed = 0;
        lastError_ = ErrorInvalidHandle;
        return false;
    }
    return Answer(printer->printerLevels, level, buffer, size, needed);
}

bool ScriptedSpooler::GetPrinterDriverA(PrinterHandle handle, const char*, DWORD level, BYTE* buffer, DWORD size,
                                        DWORD* needed)
{
    Printer* printer = FromHandle(handle);
    if (printer == nullptr) {
        *needed = 0;
        lastError_ = ErrorInvalidHandle;
        return false;
    }
    return Answer(printer->driverLevels, level, buffer, size, needed);
}

std::int32_t ScriptedSpooler::DocumentPropertiesA(PrinterHandle handle, const char* device, DEVMODEA* output,
                                                  std::size_t outputSize, const DEVMODEA*, DWORD mode)
{
    Printer* printer = handle != nullptr ? FromHandle(handle) : Find(device);
    if (printer == nullptr || printer->openError || !printer->documentSize) {
        lastError_ = ErrorInvalidHandle;
        return -1;
    }
    if ((mode & DM_OUT_BUFFER) == 0)
        return *printer->documentSize;
    // An empty buffer may come as a null pointer: nothing is written, and the call answers as scripted.
    if (output == nullptr && outputSize > 0)
        return -1;
    CopyBytes(output, printer->documentRecord.data(), std::min(printer->documentRecord.size(), outputSize));
    return printer->documentFillResult;
}

bool ScriptedSpooler::EnumPrintersA(DWORD, const char*, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                                    DWORD* returned)
{
    *needed = 0;
    *returned = 0;
    const RecordLayout* layout = level == 4 || level == 5 ? PrinterInfoLayout(level) : nullptr;
    if (layout == nullptr) {
        lastError_ = ErrorInvalidLevel;
        return false;
    }
    std::vector<const Json*> records;
    for (const Printer& printer : printers_)
        records.push_back(level == 4 ? &printer.enumRecord4 : &printer.enumRecord5);
    const RecordImage image(*layout, records);
    *needed = static_cast<DWORD>(image.Needed());
    if (buffer == nullptr || size < image.Needed()) {
        lastError_ = ErrorInsufficientBuffer;
        return false;
    }
    if (image.Needed() > 0)
        image.CopyTo(buffer);
    *returned = static_cast<DWORD>(records.size());
    return true;
}

std::string ScriptedSpooler::GetPrivateProfileStringA(const char* section, const char* key, const char* fallback,
                                                      const char*)
{
    const Printer* printer = SameName("devices", section) ? Find(key) : nullptr;
    const std::string value = printer != nullptr && printer->devices ? *printer->devices : fallback;
    return value.substr(0, ProfileValueLimit);
}

LocalText ScriptedSpooler::FormatMessageA(DWORD code)
{
    const auto found = messages_.find(code);
    if (found == messages_.end())
        return nullptr;
    auto* text = static_cast<char*>(std::malloc(found->second.size() + 1));
    if (text != nullptr)
        std::memcpy(text, found->second.c_str(), found->second.size() + 1);
    return LocalText(text);
}

int ScriptedSpooler::lstrcmpA(const char* a, const char* b)
{
    return std::strcmp(a, b);
}

WindowsLayout ScriptedSpooler::LayoutOfAnswers(const char* device)
{
    const Printer* printer = Find(device);
    return printer != nullptr ? printer->layout : WindowsLayout::Win32;
}

bool ScriptedSpooler::IsReadableMemory(const void* address, std::size_t length)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    auto block = driverMemory_.upper_bound(at);
    if (block == driverMemory_.begin())
        return false;
    --block;
    return at - block->first <= block->second && length <= block->second - (at - block->first);
}

CurrentPrinter ScriptedSpooler::GetCurrentPrinter()
{
    if (!current_)
        return {};
    if (current_->error)
        throw std::runtime_error(*current_->error);
    return {current_->deviceName, current_->driverName, current_->portName, current_->devMode};
}

const void* ScriptedSpooler::GlobalLock(DevModeHandle handle)
{
    return handle != nullptr ? static_cast<std::vector<BYTE>*>(handle)->data() : nullptr;
}

std::size_t ScriptedSpooler::GlobalSize(DevModeHandle handle)
{
    return handle != nullptr ? static_cast<std::vector<BYTE>*>(handle)->size() : 0;
}

}  // namespace ostrel
