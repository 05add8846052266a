#pragma once

#include "CDialog.h"

#include <functional>

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
