#pragma once

#include "CDialog.h"

#include <functional>
#include <vector>

// Drives the dialogs that open while it lives: each is handed to the script
// once shown, as a person would see it. The hook it replaced is back when it
// goes; with none of its own, the test program fails a dialog nobody expects
// and cancels it.
class DialogScript {
public:
    explicit DialogScript(CDialog::ModalHook script);
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

private:
    CDialog::ModalHook m_previous;
};

// Turns the program's abnormal end into an exception the test can catch.
struct AbortCalled {};
class AbortCatcher {
public:
    AbortCatcher();
    ~AbortCatcher();
    AbortCatcher(const AbortCatcher&) = delete;
    AbortCatcher& operator=(const AbortCatcher&) = delete;

private:
    std::function<void()> m_previous;
};

// The hooks the test program starts with: a message box or dialog that no
// test expects fails the test and is answered Cancel, instead of waiting for
// a person who is not there.
void InstallUnexpectedUiGuards();

// The dialogs a test expects in turn, each with what the person does in it:
// a dialog of another template, one too many, or one that never opens fails
// the test.
class DialogSequence {
public:
    struct Step {
        int templateId;
        std::function<void(CDialog&)> act;
    };
    explicit DialogSequence(std::vector<Step> steps);
    ~DialogSequence();
    DialogSequence(const DialogSequence&) = delete;
    DialogSequence& operator=(const DialogSequence&) = delete;

private:
    void Next(CDialog& dialog);

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    DialogScript m_script;
};

// Presses a push button of a shown dialog, as a click would.
void Press(CDialog& dialog, int id);
