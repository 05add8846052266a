#include "FileDialogs.h"

#include "MainWindow.h"
#include "TestSeam.h"

#include <QFileDialog>
#include <utility>

namespace {
FileDialogs::Hook& CurrentHook() {
    static FileDialogs::Hook hook;
    return hook;
}
[[maybe_unused]] const bool g_switch = testseam::Register(CurrentHook());

std::optional<QString> Run(bool saving, const QString& proposed, const QString& filter) {
    if (CurrentHook())
        return CurrentHook()(saving, proposed, filter);
    QFileDialog dialog(AfxGetMainWnd(), QString(), proposed, filter);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets the document's ".bmp".
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

FileDialogs::Hook FileDialogs::SetHook(Hook hook) {
    return std::exchange(CurrentHook(), std::move(hook));
}

std::optional<QString> FileDialogs::GetSaveFileName(const QString& proposed,
                                                    const QString& filter) {
    return Run(true, proposed, filter);
}

std::optional<QString> FileDialogs::GetOpenFileName(const QString& filter) {
    return Run(false, QString(), filter);
}
