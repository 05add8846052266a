#pragma once

#include "MessageBox.h"

#include <QString>
#include <vector>

// Answers every message box with OK and keeps what was shown, for the
// lifetime of the object.
class MessageRecorder {
public:
    struct Message {
        QString text;
        QString caption;
        unsigned type;
    };

    MessageRecorder() {
        SetMessageBoxHook([this](const QString& text, const QString& caption, unsigned type) {
            m_messages.push_back({text, caption, type});
            return IDOK;
        });
    }
    ~MessageRecorder() { SetMessageBoxHook(nullptr); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

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
