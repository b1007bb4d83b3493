#include "desktop/windows/print_thread.h"

#include "desktop/user_messages.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/handles.h"

#include <atomic>
#include <exception>
#include <thread>

namespace ostrel {

PrintOutcome RunPagesOffThread(const PageJob& job, int pages, PrintMonitor& monitor)
{
    // Set by the page thread whenever a page starts and when it ends.
    const ui::UniqueKernelObject news(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!news)
        throw ui::MessageError(CannotCreateMessage(WindowPart::PrintThread));
    std::atomic<int> page = 0;
    std::atomic<bool> ended = false;
    std::exception_ptr failure;
    bool printed = false;
    {
        // Asked to stop and joined on every way out of this scope.
        std::jthread pageThread([&](std::stop_token stop) {
            // The window's thread comes first when both want the processor.
            SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
            try {
                printed = job(stop, [&](int number) {
                    page = number;
                    SetEvent(news.get());
                });
            } catch (...) {
                failure = std::current_exception();
            }
            ended = true;
            SetEvent(news.get());
        });
        const HANDLE waitFor = news.get();
        while (!ended) {
            if (!monitor.Continue(page, pages))
                pageThread.request_stop();
            if (ended)
                break;
            MsgWaitForMultipleObjectsEx(1, &waitFor, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    return printed ? PrintOutcome::Printed : PrintOutcome::Cancelled;
}

}  // namespace ostrel
