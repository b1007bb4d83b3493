#include "platform/portable/scripted_spooler.h"

#include "platform/capability_layouts.h"
#include "platform/printer_list.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <strings.h>

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

std::map<DWORD, std::string> ParseLevelKeys(const Json& levels)
{
    std::map<DWORD, std::string> keys;
    for (const auto& [key, value] : levels.items())
        keys[static_cast<DWORD>(std::stoul(key))] = key;
    return keys;
}

}  // namespace

void ScriptedSpooler::LoadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    std::stringstream text;
    text << file.rdbuf();
    try {
        Load(Json::parse(text.str()), path);
    } catch (const Json::exception& error) {
        throw std::runtime_error(path + ": " + error.what());
    }
}

void ScriptedSpooler::Load(const Json& description, const std::string& origin)
{
    try {
        const Json& system = Member(description, "system");
        if (system.value("family", "nt") == "95")
            family_ = WindowsFamily::Windows95;
        if (system.contains("code_page")) {
            const Json& codePage = system.at("code_page");
            if (!codePage.is_number_unsigned() || codePage.get<unsigned long long>() - 1 > 0xFFFE)
                throw std::runtime_error("code_page is not a code page number (1 to 65535)");
            codePage_ = codePage.get<unsigned>();
        }
        for (const auto& [code, text] : Member(system, "messages").items())
            messages_[static_cast<DWORD>(std::stoul(code))] = BytesOfJsonString(text);
        if (system.contains("current_printer") && !system.at("current_printer").is_null()) {
            current_ = system.at("current_printer");
            if (current_->contains("devmode") && !current_->at("devmode").is_null())
                devModeBlocks_.push_back(DevModeOfJson(current_->at("devmode")));
        }
        for (const Json& printer : description.at("printers"))
            printers_.push_back(ParsePrinter(printer));
    } catch (const std::exception& error) {
        throw std::runtime_error(origin + ": " + error.what());
    }
}

ScriptedSpooler::Printer ScriptedSpooler::ParsePrinter(const Json& description)
{
    Printer printer;
    printer.name = BytesOfJsonString(description.at("name"));
    try {
        if (description.contains("devices"))
            printer.devices = BytesOfJsonString(description.at("devices"));
        if (description.contains("open_error"))
            printer.openError = description.at("open_error").get<DWORD>();

        for (const auto& [name, value] : Member(description, "capabilities").items()) {
            const CapabilityLayout* layout = CapabilityByName(name.c_str());
            if (layout == nullptr)
                throw std::runtime_error("unknown capability " + name);
            printer.capabilities[layout->index] = ParseCapability(layout->index, value);
        }

        const auto parseLevels = [](const Json& levels, auto layoutOf, std::map<DWORD, Level>& into) {
            for (const auto& [level, key] : ParseLevelKeys(levels)) {
                const Json& record = levels.at(key);
                const RecordLayout* layout = layoutOf(level);
                if (layout == nullptr)
                    throw std::runtime_error("no layout for level " + key);
                if (record.is_object() && record.contains("error"))
                    into[level].error = record.at("error").get<DWORD>();
                else
                    into[level].image.emplace(*layout, std::vector<const Json*>{&record});
            }
        };
        parseLevels(Member(description, "printer_info"), PrinterInfoLayout, printer.printerLevels);
        parseLevels(Member(description, "driver_info"), DriverInfoLayout, printer.driverLevels);

        const Json& levels = Member(description, "printer_info");
        printer.enumRecord4 = levels.contains("4") && !levels.at("4").contains("error")
                                  ? levels.at("4")
                                  : Json{{"pPrinterName", description.at("name")}};
        printer.enumRecord5 = levels.contains("5") && !levels.at("5").contains("error")
                                  ? levels.at("5")
                                  : Json{{"pPrinterName", description.at("name")},
                                         {"pPortName", JsonStringOfBytes(PortNameOfDevicesValue(printer.devices.value_or("")))}};

        if (description.contains("document_properties")) {
            const Json& properties = description.at("document_properties");
            if (properties.contains("devmode"))
                printer.documentRecord = DevModeOfJson(properties.at("devmode"));
            printer.documentSize = properties.value("size", static_cast<std::int32_t>(printer.documentRecord.size()));
            printer.documentFillResult = properties.value("fill_result", 1);
        }
    } catch (const std::exception& error) {
        throw std::runtime_error("printer \"" + printer.name + "\": " + error.what());
    }
    return printer;
}

ScriptedSpooler::Capability ScriptedSpooler::ParseCapability(WORD index, const Json& value)
{
    Capability capability;
    const Json* entries = nullptr;
    if (value.is_number()) {
        capability.answer = value.get<std::int32_t>();
    } else if (value.is_array()) {
        entries = &value;
        capability.answer = static_cast<std::int32_t>(value.size());
    } else {
        entries = value.contains("entries") ? &value.at("entries") : nullptr;
        capability.answer = value.contains("answer") ? value.at("answer").get<std::int32_t>()
                                                     : static_cast<std::int32_t>(entries ? entries->size() : 0);
        if (value.contains("fill_answer"))
            capability.fillAnswer = value.at("fill_answer").get<std::int32_t>();
    }
    if (entries != nullptr) {
        for (const Json& entry : *entries) {
            const std::vector<BYTE> bytes = ParseEntry(index, entry);
            capability.entries.insert(capability.entries.end(), bytes.begin(), bytes.end());
        }
    }
    return capability;
}

std::vector<BYTE> ScriptedSpooler::ParseEntry(WORD index, const Json& entry)
{
    const CapabilityLayout& layout = *CapabilityByIndex(index);
    std::vector<BYTE> bytes(layout.entrySize, 0);
    switch (layout.kind) {
    case EntryKind::None:
        throw std::runtime_error(std::string(layout.name) + " answers a single value, not entries");
    case EntryKind::Word: {
        const auto number = static_cast<WORD>(entry.get<std::int64_t>());
        std::memcpy(bytes.data(), &number, sizeof number);
        break;
    }
    case EntryKind::Dword: {
        const auto number = static_cast<DWORD>(entry.get<std::int64_t>());
        std::memcpy(bytes.data(), &number, sizeof number);
        break;
    }
    case EntryKind::Pair: {
        const std::int32_t pair[2] = {entry.at(0).get<std::int32_t>(), entry.at(1).get<std::int32_t>()};
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
        const auto text = [this](const Json& record, const char* field) -> const char* {
            if (!record.contains(field) || record.at(field).is_null())
                return nullptr;
            if (record.at(field).is_object() && record.at(field).value("unreadable", false))
                return UnreadableText;
            driverTexts_.push_back(BytesOfJsonString(record.at(field)));
            return driverTexts_.back().c_str();
        };
        DOCINFOA record{};
        record.cbSize = entry.value("cbSize", static_cast<int>(sizeof(DOCINFOA)));
        record.lpszDocName = text(entry, "lpszDocName");
        record.lpszOutput = text(entry, "lpszOutput");
        record.lpszDatatype = text(entry, "lpszDatatype");
        record.fwType = entry.value("fwType", DWORD{0});
        std::memcpy(bytes.data(), &record, sizeof record);
        break;
    }
    }
    return bytes;
}

ScriptedSpooler::Printer* ScriptedSpooler::Find(const char* name)
{
    for (Printer& printer : printers_)
        if (SameName(printer.name, name))
            return &printer;
    return nullptr;
}

ScriptedSpooler::Printer* ScriptedSpooler::FromHandle(PrinterHandle handle)
{
    for (Printer& printer : printers_)
        if (handle == &printer)
            return &printer;
    return nullptr;
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
    if (output == nullptr)
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

bool ScriptedSpooler::IsReadableMemory(const void* address, std::size_t length)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    for (const std::string& text : driverTexts_) {
        const auto begin = reinterpret_cast<std::uintptr_t>(text.c_str());
        if (at >= begin && at - begin + length <= text.size() + 1)
            return true;
    }
    return false;
}

CurrentPrinter ScriptedSpooler::GetCurrentPrinter()
{
    if (!current_)
        return {};
    if (current_->contains("error"))
        throw std::runtime_error(BytesOfJsonString(current_->at("error")));
    CurrentPrinter printer;
    printer.deviceName = BytesOfJsonString(current_->value("name", Json("")));
    printer.driverName = BytesOfJsonString(current_->value("driver", Json("")));
    printer.portName = BytesOfJsonString(current_->value("port", Json("")));
    if (!devModeBlocks_.empty())
        printer.devMode = &devModeBlocks_.front();
    return printer;
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
