// Answering as a spooler and a driver would, from the printers the description files gave.
#include "platform/portable/scripted_spooler.h"

#include "platform/capability_layouts.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

bool SameName(const std::string& a, const char* b)
{
    return b != nullptr && strcasecmp(a.c_str(), b) == 0;
}

}  // namespace

// memcpy wants valid pointers even for no bytes; an empty vector has none.
void ScriptedSpooler::CopyBytes(void* to, const void* from, std::size_t count)
{
    if (count > 0)
        std::memcpy(to, from, count);
}

// Printer names are compared as the spooler compares them: letter case aside.
std::string ScriptedSpooler::NameKey(std::string name)
{
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return name;
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
        return {};
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
