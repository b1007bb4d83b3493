#include "report/report_builder.h"

#include "names/error_text.h"
#include "platform/scoped_printer.h"
#include "report/capability_section.h"
#include "report/devmode_sections.h"
#include "report/info_sections.h"
#include "report/report_context.h"

#include <optional>

namespace ostrel {

namespace {

class ScopedUpdate {
public:
    explicit ScopedUpdate(RichDocument& document) : document_(document) { document_.BeginUpdate(); }
    ~ScopedUpdate() { document_.EndUpdate(); }
    ScopedUpdate(const ScopedUpdate&) = delete;
    ScopedUpdate& operator=(const ScopedUpdate&) = delete;

private:
    RichDocument& document_;
};

std::string OpenFailure(ReportContext& context)
{
    const DWORD code = context.spooler.GetLastError();
    const LocalText message = GetLastErrorString(context.spooler);
    return std::to_string(code) + ": " + (message ? message.get() : "");
}

}  // namespace

PrinterNames ReportBuilder::MakeReport(const std::string& entry, ReportFacts* facts)
{
    std::optional<StructuredReportSink> sink;
    if (items_ != nullptr) {
        sink.emplace(*items_);
        sink->Clear(entry);
    }
    ReportWriter writer(document_, sink ? &*sink : nullptr);
    ReportContext context{spooler_, writer, DeviceNameOfEntry(entry), {}, nullptr, facts};
    std::optional<std::string> openFailure;
    if (facts != nullptr) {
        *facts = ReportFacts();
        facts->deviceName = context.deviceName;
    }

    document_.Clear();
    {
        ScopedUpdate update(document_);
        ScopedPrinter printer(spooler_);

        // Every platform call may fail or raise: a fault here must not cost the report.
        Guarded(writer, [&] {
            context.portName = PortNameOfDevicesValue(
                spooler_.GetPrivateProfileStringA("devices", context.deviceName.c_str(), "", "Win.ini"));
        });

        Guarded(writer, [&] { WriteCapabilitySection(context); });

        Guarded(writer, [&] {
            if (!printer.Open(context.deviceName)) {
                openFailure = OpenFailure(context);
                writer.AddLine("*** CANNOT OPEN PRINTER ***: " + *openFailure);
            }
        });
        context.printer = printer.Get();
        if (!context.printer && !openFailure)
            openFailure = "the attempt to open it raised an exception";
        if (facts != nullptr) {
            facts->devicesPort = context.portName;
            facts->opened = context.printer != nullptr;
        }

        WritePrinterInfoSections(context);
        WriteDriverInfoSections(context);
        WriteDevModeSections(context);

        writer.MarkNotSupported();
        writer.MarkExceptions();
        document_.SetSelection(0, 0);
    }
    return {context.deviceName, context.portName, openFailure};
}

}  // namespace ostrel
