// Reading and checking description files: a printer's answers laid out as the spooler and the
// driver would give them.
#include "platform/portable/scripted_spooler.h"

#include "platform/capability_layouts.h"
#include "platform/printer_list.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace ostrel {

namespace {

// A text pointer of a driver record that leads nowhere readable.
const char* const UnreadableText = reinterpret_cast<const char*>(std::uintptr_t{0x10});

// A member of an object, or an empty object: loops must not iterate over a temporary.
const Json& Member(const Json& object, const char* key)
{
    static const Json empty = Json::object();
    return object.contains(key) ? object.at(key) : empty;
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

}  // namespace ostrel
