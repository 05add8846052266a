#include "ViewerTestSupport.h"

#include "DeviceContext.h"
#include "ScreenMetrics.h"

#include <QStringList>

MessageRecorder::MessageRecorder() {
    SetMessageBoxHook([this](const QString& text, const QString& caption, unsigned type) {
        m_messages.push_back({text, caption, type});
        for (const auto& [match, action] : m_actions) {
            if (match == text)
                action();
        }
        return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
    });
}

MessageRecorder::~MessageRecorder() {
    SetMessageBoxHook(nullptr);
}

void MessageRecorder::OnText(const QString& text, std::function<void()> action) {
    m_actions.emplace_back(text, std::move(action));
}

QStringList MessageRecorder::Texts() const {
    QStringList texts;
    for (const ShownMessage& m : m_messages)
        texts << m.text;
    return texts;
}

AbortCatcher::AbortCatcher() {
    SetAbortHook([] { throw AbortCalled{}; });
}
AbortCatcher::~AbortCatcher() {
    SetAbortHook(nullptr);
}

ForcedScreen::ForcedScreen(int width, int height, int depth) {
    ScreenMetrics::ForceSize(QSize(width, height));
    CDC::ForceScreenBitsPixel(depth);
}

ForcedScreen::~ForcedScreen() {
    ScreenMetrics::ForceSize(std::nullopt);
    CDC::ForceScreenBitsPixel(0);
}
