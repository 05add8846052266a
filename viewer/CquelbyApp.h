#pragma once

#include "CMainFrame.h"

#include <QPointer>
#include <QStringList>
#include <memory>

class CquelbyDoc;
class CquelbyView;
class QPrinter;
class SlideShowCommand;
class Viewing;
namespace session {
class IdleInhibit;
}

// The application object: start-up, the binding of every command to its
// work, and the commands it handles itself (About, New, Open, Print Setup).
class CquelbyApp {
public:
    CquelbyApp();
    ~CquelbyApp();
    CquelbyApp(const CquelbyApp&) = delete;
    CquelbyApp& operator=(const CquelbyApp&) = delete;

    // arguments: the command line after the program name: "/d" first turns
    // on diagnostic mode; the others name discs (an image of the CD or a
    // folder holding a copy) searched before the machine's drives. Returns
    // true; a missing CD ends the program inside (AfxAbort).
    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();

    CquelbyDoc* Document() const { return m_doc.get(); }
    CMainFrame* Frame() const { return m_frame.data(); }
    CquelbyView* View() const { return m_view; }
    Viewing& Model() const { return *m_viewing; }
    SlideShowCommand& SlideShows() const { return *m_slideShow; }
    QPrinter& Printer();

private:
    void OpenDocument();
    // The window and the session follow the model's slide show.
    void ConnectSlideShow();
    void AddCommands();
    void AddViewingCommands();

    std::unique_ptr<CquelbyDoc> m_doc;
    std::unique_ptr<Viewing> m_viewing;
    std::unique_ptr<SlideShowCommand> m_slideShow;
    std::unique_ptr<session::IdleInhibit> m_idleInhibit;
    QPointer<CMainFrame> m_frame;  // an abnormal end may destroy it first
    CquelbyView* m_view = nullptr; // owned by the frame
    std::unique_ptr<QPrinter> m_printer;
};
