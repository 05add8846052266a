#include "DesktopIdentity.h"

#include <QDir>
#include <QGuiApplication>

namespace {
constexpr char kBundledThemeFolder[] = ":/icons/hicolor";
} // namespace

void IdentifyToDesktop(const QString& desktopEntry, const QString& iconName) {
    QGuiApplication::setDesktopFileName(desktopEntry);
    QGuiApplication::setWindowIcon(ThemeIcon(iconName));
}

QIcon ThemeIcon(const QString& iconName) {
    QIcon bundled;
    const QDir theme(QString::fromLatin1(kBundledThemeFolder));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString file =
            theme.filePath(size + QStringLiteral("/apps/") + iconName + QStringLiteral(".png"));
        if (QFileInfo::exists(file))
            bundled.addFile(file);
    }
    return QIcon::fromTheme(iconName, bundled);
}
