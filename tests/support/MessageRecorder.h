#pragma once

#include "MessageBox.h"
#include "MessageReporter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// What a test saw of the program's messages: the message boxes shown while
// it lives, and what routines reported to it as their MessageReporter. A box
// is answered OK, a question with the next answer queued (Yes when none is);
// an action can run while a box with a given text is "open", e.g. to insert
// the CD. The hook it replaced is back when it goes.
class MessageRecorder final : public MessageReporter {
public:
    // The application's box (with the title as caption) or a plain one.
    enum class Box { App, Plain };
    struct Message {
        QString text;
        QString caption;
        unsigned type;
        Box box;
    };

    MessageRecorder();
    ~MessageRecorder() override;
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void AppMessage(const QString& text) override;
    void PlainMessage(const QString& text) override;

    void OnText(const QString& text, std::function<void()> action);
    // Answers for the questions to come (IDYES or IDNO), in turn.
    void Answer(QList<int> answers) { m_answers = std::move(answers); }

    const std::vector<Message>& Messages() const { return m_messages; }
    QStringList Texts() const;

private:
    int Shown(const QString& text, const QString& caption, unsigned type);

    std::vector<Message> m_messages;
    std::vector<std::pair<QString, std::function<void()>>> m_actions;
    QList<int> m_answers;
    MessageBoxHook m_previous;
};
