#include "CquelbyView.h"

#include "Abort.h"
#include "AppProfile.h"
#include "CBitmapButton.h"
#include "ClipboardCopy.h"
#include "CommandRouter.h"
#include "ContextMenu.h"
#include "CquelbyDoc.h"
#include "DeviceContext.h"
#include "MainWindow.h"
#include "MessageBoxReporter.h"
#include "Paint.h"
#include "PrivateProfile.h"
#include "Profile.h"
#include "ResourceBitmap.h"
#include "ScreenMetrics.h"
#include "SlideShowCommand.h"
#include "ViewPaint.h"
#include "ViewPrinting.h"
#include "ViewTitles.h"
#include "ViewerIds.h"
#include "WallpaperCommand.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

using namespace ids;

CquelbyView* CquelbyView::Create(CquelbyDoc& doc, CommandRouter& router, QWidget* parent) {
    auto navigator = std::make_unique<Navigator>(doc);
    navigator->CheckCdAtStart();
    return new CquelbyView(doc, router, std::move(navigator), parent);
}

CquelbyView::CquelbyView(CquelbyDoc& doc, CommandRouter& router,
                         std::unique_ptr<Navigator> navigator, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_router(router), m_navigator(std::move(navigator)) {
    setObjectName(QStringLiteral("CquelbyView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_navigator->SetHost(Navigator::Host{[this] { RealizeBitmapPalette(); }, [this] { update(); }});
    m_collections = std::make_unique<CollectionCommands>(*m_navigator);
    m_slideShow = std::make_unique<SlideShowCommand>(*this);
    m_saveBookmark = [this] { m_collections->SaveBookmark(); };
    AddCommands();
}

CquelbyView::~CquelbyView() {
    if (!m_navigator->Aborting() && !AfxIsAborting())
        AppProfile().WriteInt(QStringLiteral("cdrom"), QStringLiteral("saveonexit"),
                              State().m_nSaveOnExit);
}

void CquelbyView::AddCommands() {
    ViewState& s = State();
    m_router.Add(ID_FORWARD, [this] { m_navigator->StepForward(); });
    m_router.Add(ID_BACK, [this] { m_navigator->StepBack(); });
    m_router.Add(
        ID_BOOKMARK_ON_EXIT, [&s] { s.m_nSaveOnExit = s.m_nSaveOnExit == 1 ? 0 : 1; },
        [&s](CmdUI& ui) { ui.checked = s.m_nSaveOnExit == 1; });
    CollectionCommands& c = *m_collections;
    m_router.Add(ID_BROWSE, [&c] { c.Browse(); });
    m_router.Add(ID_SLIDE_SHOW, [this] { m_slideShow->Run(); });
    m_router.Add(
        ID_ADD_FAVORITE, [&c] { c.AddFavourite(); },
        [&s](CmdUI& ui) { ui.enabled = s.m_nMode != ViewMode::favourites && !s.IsCoverShown(); });
    m_router.Add(
        ID_REMOVE_FAVORITE, [&c] { c.RemoveFavourite(); },
        [&s](CmdUI& ui) { ui.enabled = s.m_nMode == ViewMode::favourites; });
    m_router.Add(
        ID_SAVE_BOOKMARK, [&c] { c.SaveBookmark(); },
        [&s](CmdUI& ui) { ui.enabled = !s.IsCoverShown(); });
    m_router.Add(
        ID_LOAD_BOOKMARK, [&c] { c.LoadBookmark(); },
        [&c](CmdUI& ui) { ui.enabled = c.Bookmarks().Total() != 0; });
    m_router.Add(ID_WALLPAPER, [this] { wallpapercommand::Run(m_doc); });
    m_router.Add(
        ID_EDIT_COPY, [this] { clipboardcopy::Copy(m_doc); },
        [this](CmdUI& ui) { ui.enabled = m_doc.HasPicture(); });
}

void CquelbyView::SetCommandHandler(int id, std::function<void()> handler) {
    m_router.SetHandler(id, std::move(handler));
}

CBitmapButton* CquelbyView::MakeButton(bool forward, QPoint place) {
    const bool low = State().m_bLowColour == 1;
    const QString text = forward ? (low ? QStringLiteral("bforwardu") : QStringLiteral("forwardu"))
                                 : (low ? QStringLiteral("bbacku") : QStringLiteral("backu"));
    auto* button = new CBitmapButton(text, forward ? ID_FORWARD : ID_BACK, this);
    button->setGeometry(QRect(place, QSize(1, 1)));
    LoadButtonBitmaps(*button, forward);
    const int id = button->CommandId();
    connect(button, &CBitmapButton::clicked, this, [this, id] { m_router.Execute(id); });
    button->show();
    return button;
}

void CquelbyView::LoadButtonBitmaps(CBitmapButton& button, bool forward) {
    const bool low = State().m_bLowColour == 1;
    if (forward)
        button.LoadBitmaps(LoadResourceBitmap,
                           BitmapResource(low ? IDB_LC_FORWARD_UP : IDB_FORWARD_UP),
                           BitmapResource(low ? IDB_LC_FORWARD_DOWN : IDB_FORWARD_DOWN));
    else
        button.LoadBitmaps(LoadResourceBitmap, BitmapResource(low ? IDB_LC_BACK_UP : IDB_BACK_UP),
                           BitmapResource(low ? IDB_LC_BACK_DOWN : IDB_BACK_DOWN));
    button.SizeToContent();
}

void CquelbyView::ShowSlideShowBackButton(bool showing) {
    if (!m_pBack)
        return;
    if (!showing) {
        LoadButtonBitmaps(*m_pBack, false);
        return;
    }
    m_pBack->LoadBitmaps(LoadResourceBitmap, BitmapResource(IDB_SLIDE_SHOW_BACK));
    m_pBack->SizeToContent();
}

void CquelbyView::OnInitialUpdate() {
    if (CDC::ScreenBitsPixel() > 8)
        State().m_bLowColour = 0;
    delete m_pForward;
    delete m_pBack;
    m_pForward = MakeButton(true, ScreenMetrics::ForwardButtonPos(ScreenMetrics::Size().width()));
    m_pBack = MakeButton(false, ScreenMetrics::BackButtonPos());
    m_navigator->StepForward();
    update();
}

std::optional<int> CquelbyView::OnDraw(QPainter& painter, bool printing, const QRect& pageRect) {
    viewpaint::Target target = viewpaint::ScreenTarget(State().m_bFullScreen == 1);
    if (printing)
        target.page = pageRect;
    MessageBoxReporter messageBoxes;
    return viewpaint::Draw(painter, m_doc.Picture(), target, messageBoxes);
}

void CquelbyView::RecordBadPicture() {
    if (State().IsDiagnostic())
        privateprofile::WriteString(QStringLiteral("quelby"), State().m_strCurrentName,
                                    QStringLiteral("bad"));
}

void CquelbyView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const std::optional<int> painted = OnDraw(painter, false);
    if (!painted)
        return;
    // What the screen shows is kept here, not by the painting, so that
    // printing and preview leave the caption and the record alone.
    if (*painted == 0) {
        RecordBadPicture();
        return;
    }
    m_doc.SetTitle(m_navigator->ShowingOpenedFile() ? QFileInfo(m_doc.GetPathName()).fileName()
                                                    : viewtitles::DocumentTitle(State()));
}

void CquelbyView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        ContextMenu::Track(this, event->globalPosition().toPoint(), m_router);
    QWidget::mouseReleaseEvent(event);
}

void CquelbyView::OnActivateView() {
    if (State().m_bLowColour == 1)
        RealizeBitmapPalette();
}

bool CquelbyView::OnPreparePrinting(QPrinter& printer) {
    return viewprinting::DoPreparePrinting(printer);
}

int CquelbyView::RealizeBitmapPalette() {
    if (!AfxGetMainWnd())
        return 0;
    CDC dc; // the main window's client area
    RealizePicturePalette(dc, m_doc.Picture(), PaletteSelection::foreground, [this] { update(); });
    return 0;
}

void CquelbyView::OnExitWork() {
    // A close request during a slide show ends the show first.
    m_slideShow->End();
    ViewState& s = State();
    if (s.m_nSaveOnExit == 1 && s.m_bMoved == 1 && m_saveBookmark)
        m_saveBookmark();
    if (s.m_nSaveOnExit == 1)
        s.m_bMoved = 0;
}
