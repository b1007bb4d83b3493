#include "report/report_json.h"

#include <stdexcept>

namespace ostrel {

namespace {

struct MarkerName {
    Marker marker;
    const char* name;
};

constexpr MarkerName MarkerNames[] = {
    {Marker::NotSupported, "not_supported"},
    {Marker::Exception, "exception"},
};

Json JsonOfValue(const ReportValue& value)
{
    Json json = {{"text", JsonStringOfBytes(value.text)}};
    if (const auto* number = std::get_if<std::int64_t>(&value.raw))
        json["raw"] = *number;
    else if (const auto* bits = std::get_if<std::uint64_t>(&value.raw))
        json["raw"] = *bits;
    if (value.names) {
        Json names = Json::array();
        for (const std::string& name : *value.names)
            names.push_back(JsonStringOfBytes(name));
        json["names"] = std::move(names);
    }
    if (!value.unit.empty())
        json["unit"] = JsonStringOfBytes(value.unit);
    for (const MarkerName& entry : MarkerNames)
        if (entry.marker == value.marker)
            json["marker"] = entry.name;
    return json;
}

const Json& Member(const Json& object, const char* name)
{
    if (!object.is_object() || !object.contains(name))
        throw std::runtime_error(std::string("expected an object with \"") + name + "\", found " + Excerpt(object));
    return object.at(name);
}

ReportValue ValueOfJson(const Json& json)
{
    ReportValue value;
    value.text = BytesOfJsonString(Member(json, "text"));
    if (json.contains("raw")) {
        const Json& raw = json.at("raw");
        if (raw.is_number_unsigned())
            value.raw = raw.get<std::uint64_t>();
        else if (raw.is_number_integer())
            value.raw = raw.get<std::int64_t>();
        else
            throw std::runtime_error("expected an integer raw value, found " + Excerpt(raw));
    }
    if (json.contains("names")) {
        value.names.emplace();
        for (const Json& name : json.at("names"))
            value.names->push_back(BytesOfJsonString(name));
    }
    if (json.contains("unit"))
        value.unit = BytesOfJsonString(json.at("unit"));
    if (json.contains("marker")) {
        const Json& marker = json.at("marker");
        value.marker = Marker::Exception;
        for (const MarkerName& entry : MarkerNames)
            if (marker == entry.name)
                value.marker = entry.marker;
        if (value.marker == Marker::Exception && marker != "exception")
            throw std::runtime_error("unknown marker " + Excerpt(marker));
    }
    return value;
}

}  // namespace

Json JsonOfReport(const StructuredReport& report)
{
    Json sections = Json::array();
    for (const ReportSection& section : report.sections) {
        Json items = Json::array();
        for (const ReportItem& item : section.items) {
            if (!item.label) {
                items.push_back({{"line", JsonOfValue(item.values.front())}});
                continue;
            }
            Json json = {{"label", JsonStringOfBytes(*item.label)}};
            if (item.list) {
                Json values = Json::array();
                for (const ReportValue& value : item.values)
                    values.push_back(JsonOfValue(value));
                json["values"] = std::move(values);
            } else {
                json["value"] = JsonOfValue(item.values.front());
            }
            items.push_back(std::move(json));
        }
        sections.push_back({{"title", section.title ? JsonStringOfBytes(*section.title) : Json(nullptr)},
                            {"items", std::move(items)}});
    }
    return {{"entry", JsonStringOfBytes(report.entry)}, {"sections", std::move(sections)}};
}

StructuredReport ReportOfJson(const Json& json)
{
    StructuredReport report;
    report.entry = BytesOfJsonString(Member(json, "entry"));
    for (const Json& sectionJson : Member(json, "sections")) {
        ReportSection& section = report.sections.emplace_back();
        const Json& title = Member(sectionJson, "title");
        if (!title.is_null())
            section.title = BytesOfJsonString(title);
        for (const Json& itemJson : Member(sectionJson, "items")) {
            ReportItem& item = section.items.emplace_back();
            if (itemJson.contains("line")) {
                item.values.push_back(ValueOfJson(itemJson.at("line")));
                continue;
            }
            item.label = BytesOfJsonString(Member(itemJson, "label"));
            item.list = itemJson.contains("values");
            if (item.list)
                for (const Json& value : itemJson.at("values"))
                    item.values.push_back(ValueOfJson(value));
            else
                item.values.push_back(ValueOfJson(Member(itemJson, "value")));
        }
    }
    return report;
}

}  // namespace ostrel
