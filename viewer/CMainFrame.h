#pragma once

#include "CommandRouter.h"

#include <QAbstractNativeEventFilter>
#include <QMainWindow>
#include <functional>
#include <memory>

class HelpWindow;
class MainMenu;

// The main frame: fixed outer size and place, menu 128 and its keys, no
// toolbar or status bar, the caption "Quelby: The 1st Treasury - " and the
// document title. Its only child is the view.
class CMainFrame : public QMainWindow, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CommandRouter& Router() { return m_router; }
    MainMenu& Menu() { return *m_menu; }
    // The outer rectangle the frame keeps (frameGeometry), by the screen rule;
    // the frame is larger only where its decorations leave too little inside.
    QRect OuterRect() const { return m_outer; }
    void SetDocumentTitle(const QString& title);
    // The view's exit work, run once before the windows go.
    void SetExitWork(std::function<void()> work) { m_exitWork = std::move(work); }
    HelpWindow* Help() const { return m_help; }
    void ShowHelp(bool usingHelp);
    // A full-screen slide show maximises the frame; its end gives the frame
    // its fixed outer rectangle again.
    void ShowMaximised();
    void ShowNormalSize();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void changeEvent(QEvent* event) override;

signals:
    void Activated();

private:
    // Sizes and places the frame by its outer rectangle.
    void ApplyOuterGeometry();
    // The window's inside that holds the menu bar and the view's content.
    QSize ContentSize() const;
    // Takes the decorations of the normal frame as the window manager draws
    // them now, and applies the geometry again when they changed.
    void MeasureDecoration();

    CommandRouter m_router;
    std::unique_ptr<MainMenu> m_menu;
    HelpWindow* m_help = nullptr;
    QRect m_outer;
    QSize m_decoration;       // of the normal, unmaximised frame
    bool m_restoring = false; // back from maximised, not yet settled
    std::function<void()> m_exitWork;
};
