#pragma once

#include <functional>

// Process-wide switches that tests and benchmarks turn: a hook in place of a
// dialog, a forced screen, a fixed table of drives, a limit on memory blocks.
// Each switch registers itself here, next to its definition, with how to save
// its setting; the test runner saves them all once and puts them back after
// every test, so no test has to undo what it turned.
namespace testseam {

// Saves one switch's setting and returns how to put it back.
using Saver = std::function<std::function<void()>()>;

// Registers a switch. Call it from a static initialiser in the switch's file:
//   const bool registered = testseam::Register(g_hook);
bool Register(Saver save);

template <typename Setting> bool Register(Setting& setting) {
    return Register([&setting] { return [&setting, saved = setting] { setting = saved; }; });
}

// Every registered switch's setting now; calling the result restores them all.
std::function<void()> SaveAll();

} // namespace testseam
