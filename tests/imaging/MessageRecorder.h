#pragma once

#include "MessageReporter.h"

#include <QString>
#include <vector>

// Keeps every message a routine reports, and which box it was meant for.
class MessageRecorder final : public MessageReporter {
public:
    enum class Box { App, Plain };
    struct Message {
        Box box;
        QString text;
    };

    void AppMessage(const QString& text) override { m_messages.push_back({Box::App, text}); }
    void PlainMessage(const QString& text) override { m_messages.push_back({Box::Plain, text}); }

    const std::vector<Message>& Messages() const { return m_messages; }
    std::vector<QString> Texts() const {
        std::vector<QString> texts;
        for (const Message& m : m_messages)
            texts.push_back(m.text);
        return texts;
    }

private:
    std::vector<Message> m_messages;
};
