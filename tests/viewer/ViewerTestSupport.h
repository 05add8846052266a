#pragma once

#include "Abort.h"
#include "MessageBox.h"

#include <QString>
#include <functional>
#include <vector>

// What a test saw of the program's message boxes.
struct ShownMessage {
    QString text;
    QString caption;
    unsigned type;
};

// Answers every message box with OK (or Yes) and records it; an action can
// run while a box with a given text is "open", e.g. to insert the CD.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    void OnText(const QString& text, std::function<void()> action);
    const std::vector<ShownMessage>& Messages() const { return m_messages; }
    QStringList Texts() const;

private:
    std::vector<ShownMessage> m_messages;
    std::vector<std::pair<QString, std::function<void()>>> m_actions;
};

// Turns the program's abnormal end into an exception the test can catch.
struct AbortCalled {};
class AbortCatcher {
public:
    AbortCatcher();
    ~AbortCatcher();
};

// Forces a screen size and depth for the lifetime of the object.
class ForcedScreen {
public:
    ForcedScreen(int width, int height, int depth);
    ~ForcedScreen();
};
