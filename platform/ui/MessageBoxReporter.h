#pragma once

#include "MessageReporter.h"

// Shows each message in its message box and waits for OK.
class MessageBoxReporter final : public MessageReporter {
public:
    void AppMessage(const QString& text) override;
    void PlainMessage(const QString& text) override;
};
