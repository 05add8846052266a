#include "DialogScript.h"

#include "Abort.h"
#include "MessageBox.h"

#include <gtest/gtest.h>

DialogScript::DialogScript(CDialog::ModalHook script)
    : m_previous(CDialog::SetModalHook(std::move(script))) {}

DialogScript::~DialogScript() {
    CDialog::SetModalHook(std::move(m_previous));
}

AbortCatcher::AbortCatcher() : m_previous(SetAbortHook([] { throw AbortCalled{}; })) {}

AbortCatcher::~AbortCatcher() {
    SetAbortHook(std::move(m_previous));
}

void InstallUnexpectedUiGuards() {
    SetMessageBoxHook([](const QString& text, const QString&, unsigned type) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    });
    CDialog::SetModalHook(
        [](CDialog& dialog) { ADD_FAILURE() << "unexpected dialog " << dialog.TemplateId(); });
}
