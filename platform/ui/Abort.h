#pragma once

#include <functional>

// AfxAbort: every top-level window is closed and deleted, then the process
// ends with status 3.
[[noreturn]] void AfxAbort();
// True while AfxAbort closes and deletes the windows: their exit work (such as
// offering or writing settings) must not run on this path.
bool AfxIsAborting();
// Tests observe the abort: the hook runs after the windows are gone. It may
// throw to get control back; if it returns, the process exits with status 3.
// Returns the hook it replaces.
std::function<void()> SetAbortHook(std::function<void()> hook);
