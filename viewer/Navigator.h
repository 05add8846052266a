#pragma once

#include "CdLocator.h"
#include "ViewState.h"

#include <QString>
#include <functional>

class CFile;
class CquelbyDoc;

// The forward and back steps through the list in force, the CD check made at
// start and the search for the CD after a failed open or read. It holds the
// viewing state and works on the document; the view gives it two callbacks
// (realise the palette, repaint) so that it needs no window.
class Navigator {
public:
    enum class Direction { forward, back };
    struct Host {
        std::function<void()> realizePalette;
        std::function<void()> invalidate;
    };

    explicit Navigator(CquelbyDoc& doc);
    void SetHost(Host host) { m_host = std::move(host); }

    // At the view's construction: the diagnostic flag from test.ini, the
    // search, one request to insert the CD and one more search; the program
    // ends when it is still missing. Then "saveonexit" is read.
    void CheckCdAtStart();
    bool FindCD();

    void StepForward();
    void StepBack();
    // The file to load for this step; may move the position (category mode)
    // and sets the current name.
    QString BuildPath(Direction direction);

    ViewState& State() { return m_state; }
    const ViewState& State() const { return m_state; }
    // The program is ending abnormally: nothing may be saved any more.
    bool Aborting() const { return m_bAborting; }
    // A picture opened with the framework's Open command is on screen; the
    // next step clears it.
    void SetShowingOpenedFile(bool on) { m_bShowingOpenedFile = on; }
    bool ShowingOpenedFile() const { return m_bShowingOpenedFile; }
    CdLocator& Cd() { return m_cd; }
    const CdLocator& Cd() const { return m_cd; }

private:
    enum class LoadResult { loaded, failed };
    void Step(Direction direction);
    LoadResult Load(QString path);
    bool OpenWithRetry(CFile& file, QString& path);
    bool ReadWithRetry(CFile& file, QString& path);
    void AskForCdOrAbort();
    [[noreturn]] void Abort(unsigned iconStyle);
    void AfterLoad();
    QString NameAt(int position) const;
    int WalkCategory(int position, Direction direction) const;

    CquelbyDoc& m_doc;
    Host m_host;
    ViewState m_state;
    CdLocator m_cd;
    bool m_bAborting = false;
    bool m_bShowingOpenedFile = false;
};
