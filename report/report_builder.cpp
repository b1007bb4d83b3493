#include "report/report_builder.h"

#include "names/error_text.h"
#include "report/capability_section.h"
#include "report/devmode_sections.h"
#include "report/info_sections.h"
#include "report/report_context.h"

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

class ScopedPrinter {
public:
    explicit ScopedPrinter(Spooler& spooler) : spooler_(spooler) {}
    ~ScopedPrinter()
    {
        if (handle_ != nullptr)
            spooler_.ClosePrinter(handle_);
    }
    ScopedPrinter(const ScopedPrinter&) = delete;
    ScopedPrinter& operator=(const ScopedPrinter&) = delete;

    PrinterHandle* Receive() { return &handle_; }
    PrinterHandle Get() const { return handle_; }

private:
    Spooler& spooler_;
    PrinterHandle handle_ = nullptr;
};

void WriteOpenFailure(ReportContext& context)
{
    const DWORD code = context.spooler.GetLastError();
    const LocalText message = GetLastErrorString(context.spooler);
    context.writer.AddLine("*** CANNOT OPEN PRINTER ***: " + std::to_string(code) + ": " +
                           (message ? message.get() : ""));
}

}  // namespace

std::string DeviceNameOfEntry(const std::string& entry)
{
    const std::string::size_type stop = entry.find(". ");
    return stop == std::string::npos || stop == 0 ? entry : entry.substr(0, stop);
}

std::string PortNameOfDevicesValue(const std::string& value)
{
    const std::string::size_type comma = value.find(',');
    return comma == std::string::npos ? value : value.substr(comma + 1);
}

PrinterNames ReportBuilder::MakeReport(const std::string& entry)
{
    ReportWriter writer(document_);
    ReportContext context{spooler_, writer, DeviceNameOfEntry(entry), {}, nullptr};
    context.portName = PortNameOfDevicesValue(
        spooler_.GetPrivateProfileStringA("devices", context.deviceName.c_str(), "", "Win.ini"));

    document_.Clear();
    {
        ScopedUpdate update(document_);
        ScopedPrinter printer(spooler_);

        Guarded(writer, [&] { WriteCapabilitySection(context); });

        PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
        if (!spooler_.OpenPrinterA(context.deviceName, printer.Receive(), &defaults))
            WriteOpenFailure(context);
        context.printer = printer.Get();

        WritePrinterInfoSections(context);
        WriteDriverInfoSections(context);
        WriteDevModeSections(context);

        writer.MarkNotSupported();
        writer.MarkExceptions();
        document_.SetSelection(0, 0);
    }
    return {context.deviceName, context.portName};
}

}  // namespace ostrel
