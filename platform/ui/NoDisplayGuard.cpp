#include "NoDisplayGuard.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct Held {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QtMessageHandler g_previous = nullptr;
QByteArray g_line;
std::vector<Held> g_held;

void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", g_line.constData());
        std::_Exit(EXIT_FAILURE);
    }
    g_held.push_back({type, context.category ? QByteArray(context.category) : QByteArray(), text});
}
} // namespace

NoDisplayGuard::NoDisplayGuard(QString line) {
    g_line = line.toLocal8Bit();
    g_held.clear();
    g_previous = qInstallMessageHandler(Handle);
}

NoDisplayGuard::~NoDisplayGuard() {
    qInstallMessageHandler(g_previous);
    for (const Held& held : g_held) {
        const QMessageLogContext context(
            nullptr, 0, nullptr, held.category.isEmpty() ? nullptr : held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    g_held.clear();
}
