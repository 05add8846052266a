#pragma once

#include <QString>
#include <functional>
#include <optional>

// The file dialogs of the framework's Open and Save As. Tests answer them by
// script: while a hook is set no dialog is shown and the hook's answer (a
// path, or nullopt for Cancel) is taken.
namespace FileDialogs {
using Hook = std::function<std::optional<QString>(bool saving, const QString& proposed,
                                                  const QString& filter)>;
// Returns the hook it replaces.
Hook SetHook(Hook hook);
std::optional<QString> GetSaveFileName(const QString& proposed, const QString& filter);
std::optional<QString> GetOpenFileName(const QString& filter);
} // namespace FileDialogs
