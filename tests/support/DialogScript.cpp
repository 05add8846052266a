#include "DialogScript.h"

#include "Abort.h"
#include "MessageBox.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

DialogScript::DialogScript(CDialog::ModalHook script)
    : m_previous(CDialog::SetModalHook(std::move(script))) {}

DialogScript::~DialogScript() {
    CDialog::SetModalHook(std::move(m_previous));
}

DialogSequence::DialogSequence(std::vector<Step> steps)
    : m_steps(std::move(steps)), m_script([this](CDialog& dialog) { Next(dialog); }) {}

DialogSequence::~DialogSequence() {
    EXPECT_EQ(m_next, m_steps.size()) << "dialogs expected but not shown";
}

void DialogSequence::Next(CDialog& dialog) {
    ASSERT_LT(m_next, m_steps.size()) << "unexpected dialog " << dialog.TemplateId();
    const Step& step = m_steps[m_next++];
    ASSERT_EQ(dialog.TemplateId(), step.templateId);
    step.act(dialog);
}

void Press(CDialog& dialog, int id) {
    auto* button = dialog.Item<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << id;
    button->click();
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
