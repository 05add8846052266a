#pragma once

#include <QString>

// Where a routine that shows no window of its own sends its messages; the
// caller decides how they are shown (the programs: message boxes,
// MessageBoxReporter; tests: a recorder).
class MessageReporter {
public:
    MessageReporter() = default;
    MessageReporter(const MessageReporter&) = delete;
    MessageReporter& operator=(const MessageReporter&) = delete;
    virtual ~MessageReporter() = default;

    // For the application's message box: its title as caption, an OK button.
    virtual void AppMessage(const QString& text) = 0;
    // For a message box with no owner and no caption, an OK button.
    virtual void PlainMessage(const QString& text) = 0;
};
