// Runs the pages of a print job on a thread of their own. Printer drivers can spend seconds in a
// single page (under Wine a tenth of a second for each line of text), so the window's thread only
// waits for the pages, answering its messages and showing the progress meanwhile.
#pragma once

#include "desktop/windows/report_printing.h"

#include <functional>
#include <stop_token>

namespace ostrel {

// Told by the pages that page number (from 1) starts.
using PageStarting = std::function<void(int number)>;
// Prints the pages, reporting each as it starts; true once the job went out, false when it stopped
// early because stop was requested. Runs on the page thread: it must not touch the calling
// thread's windows, and the calling thread leaves the printer alone until it ended.
using PageJob = std::function<bool(std::stop_token stop, const PageStarting& starting)>;

// Runs job on the page thread and returns once it ended, letting monitor pump the caller's messages
// and show which of pages prints. When the monitor cancels, the job is asked to stop. What the job
// throws is thrown here, after its thread ended.
PrintOutcome RunPagesOffThread(const PageJob& job, int pages, PrintMonitor& monitor);

}  // namespace ostrel
