#include "MessageBox.h"

#include "MainWindow.h"
#include "Profile.h"
#include "TestSeam.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <optional>
#include <utility>

namespace {
MessageBoxHook g_hook;
[[maybe_unused]] const bool g_switch = testseam::Register(g_hook);
std::optional<QString> g_title;

QMessageBox::Icon IconOf(unsigned type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        return QMessageBox::Critical;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    default:
        return QMessageBox::NoIcon;
    }
}

int Show(QWidget* owner, const QString& text, const QString& caption, unsigned type) {
    if (g_hook)
        return g_hook(text, caption, type);
    const bool yesNo = (type & MB_TYPEMASK) == MB_YESNO;
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(IconOf(type));
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    box.setDefaultButton(yesNo ? QMessageBox::Yes : QMessageBox::Ok);
    const int answer = box.exec();
    if (!yesNo)
        return IDOK;
    return answer == QMessageBox::Yes ? IDYES : IDNO;
}
} // namespace

QString AfxGetAppTitle() {
    return g_title.value_or(QCoreApplication::applicationName());
}
void AfxSetAppTitle(const QString& title) {
    g_title = title;
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return std::exchange(g_hook, std::move(hook));
}

int AfxMessageBox(const QString& text, unsigned type) {
    return Show(AfxGetMainWnd(), text, AfxGetAppTitle(), type);
}

int PlainMessageBox(const QString& text, unsigned type) {
    return Show(nullptr, text, QString(), type);
}

void ReportUnsavedSettings(const Profile& profile) {
    AfxMessageBox(profile.UnsavedMessage(), MB_OK | MB_ICONEXCLAMATION);
}
