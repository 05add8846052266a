#include "MessageRecorder.h"

MessageRecorder::MessageRecorder() {
    m_previous = SetMessageBoxHook([this](const QString& text, const QString& caption,
                                          unsigned type) { return Shown(text, caption, type); });
}

MessageRecorder::~MessageRecorder() {
    SetMessageBoxHook(std::move(m_previous));
}

int MessageRecorder::Shown(const QString& text, const QString& caption, unsigned type) {
    m_messages.push_back({text, caption, type, caption.isEmpty() ? Box::Plain : Box::App});
    for (const auto& [match, action] : m_actions) {
        if (match == text)
            action();
    }
    if ((type & MB_TYPEMASK) != MB_YESNO)
        return IDOK;
    return m_answers.isEmpty() ? IDYES : m_answers.takeFirst();
}

void MessageRecorder::AppMessage(const QString& text) {
    m_messages.push_back({text, AfxGetAppTitle(), MB_OK, Box::App});
}

void MessageRecorder::PlainMessage(const QString& text) {
    m_messages.push_back({text, QString(), MB_OK, Box::Plain});
}

void MessageRecorder::OnText(const QString& text, std::function<void()> action) {
    m_actions.emplace_back(text, std::move(action));
}

QStringList MessageRecorder::Texts() const {
    QStringList texts;
    for (const Message& m : m_messages)
        texts << m.text;
    return texts;
}
