#include "desktop/windows/print_failure.h"

#include "platform/win32/print_queue_state.h"
#include "platform/win32/system_error_text.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/wide_text.h"

namespace ostrel {

void ThrowPrintFailure(const std::string& printerName, PrintStep step, DWORD error, int jobId)
{
    const PrintQueueState state = QueryPrintQueueState(printerName, jobId > 0 ? static_cast<DWORD>(jobId) : 0);
    QueueReport queue;
    queue.printerStatus = state.printerStatus;
    queue.jobStatus = state.jobStatus;
    queue.jobStatusText = Widen(state.jobStatusText);
    throw ui::MessageError(
        PrintFailureMessage(Widen(printerName), step, queue, error != 0 ? Widen(SystemErrorText(error)) : L""));
}

}  // namespace ostrel
