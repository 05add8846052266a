#include "CquelbyView.h"

#include "CBitmapButton.h"
#include "CommandRouter.h"
#include "ContextMenu.h"
#include "CquelbyDoc.h"
#include "DeviceContext.h"
#include "MainWindow.h"
#include "MessageBoxReporter.h"
#include "Paint.h"
#include "ResourceBitmap.h"
#include "ScreenMetrics.h"
#include "ViewPaint.h"
#include "ViewPrinting.h"
#include "ViewerIds.h"
#include "Viewing.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace ids;

CquelbyView::CquelbyView(CquelbyDoc& doc, Viewing& viewing, CommandRouter& router, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_viewing(viewing), m_router(router) {
    setObjectName(QStringLiteral("CquelbyView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // The picture area is named by the caption, which names the cartoon.
    setAccessibleName(parent->windowTitle().trimmed());
    connect(parent, &QWidget::windowTitleChanged, this,
            [this](const QString& caption) { setAccessibleName(caption.trimmed()); });
    AddContextMenuKeys();
    connect(&viewing, &Viewing::PictureChanged, this, [this] { update(); });
    connect(&viewing, &Viewing::PaletteChanged, this, [this] { RealizeBitmapPalette(); });
    connect(&viewing, &Viewing::SlideShowStarted, this, [this] {
        ShowSlideShowBackButton(true);
        update();
    });
    connect(&viewing, &Viewing::SlideShowEnded, this, [this] {
        ShowSlideShowBackButton(false);
        update();
    });
}

CBitmapButton* CquelbyView::MakeButton(bool forward, QPoint place) {
    const bool low = m_viewing.State().m_bLowColour == 1;
    const QString text = forward ? (low ? QStringLiteral("bforwardu") : QStringLiteral("forwardu"))
                                 : (low ? QStringLiteral("bbacku") : QStringLiteral("backu"));
    auto* button = new CBitmapButton(text, forward ? ID_FORWARD : ID_BACK, this);
    button->setGeometry(QRect(place, QSize(1, 1)));
    // Reached by Tab; a click leaves the focus where it was.
    button->setFocusPolicy(Qt::TabFocus);
    const QString name = forward ? tr("Next cartoon") : tr("Previous cartoon");
    button->setAccessibleName(name);
    button->setToolTip(name);
    LoadButtonBitmaps(*button, forward);
    const int id = button->CommandId();
    connect(button, &CBitmapButton::clicked, this, [this, id] { m_router.Execute(id); });
    button->show();
    return button;
}

void CquelbyView::LoadButtonBitmaps(CBitmapButton& button, bool forward) {
    const bool low = m_viewing.State().m_bLowColour == 1;
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
    m_viewing.SetLowColour(CDC::IsLowColourScreen());
    delete m_pForward;
    delete m_pBack;
    m_pForward = MakeButton(true, ScreenMetrics::ForwardButtonPos(ScreenMetrics::Size().width()));
    m_pBack = MakeButton(false, ScreenMetrics::BackButtonPos());
    updateGeometry();
    setFocus();
    m_viewing.StepForward();
    update();
}

std::optional<int> CquelbyView::OnDraw(QPainter& painter, bool printing, const QRect& pageRect) {
    viewpaint::Target target = viewpaint::ScreenTarget(m_viewing.State().m_bFullScreen == 1);
    if (printing)
        target.page = pageRect;
    MessageBoxReporter messageBoxes;
    return viewpaint::Draw(painter, m_doc.Picture(), target, messageBoxes);
}

void CquelbyView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const std::optional<int> painted = OnDraw(painter, false);
    if (!painted)
        return;
    // What the screen shows is kept here, not by the painting, so that
    // printing and preview leave the caption and the record alone.
    if (*painted == 0) {
        m_viewing.RecordBadPicture();
        return;
    }
    m_doc.SetTitle(m_viewing.DocumentTitle());
}

void CquelbyView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        ContextMenu::Track(this, event->globalPosition().toPoint(), m_router);
    QWidget::mouseReleaseEvent(event);
}

void CquelbyView::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Backspace)) {
        m_router.Execute(event->key() == Qt::Key_Space ? ID_FORWARD : ID_BACK);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CquelbyView::AddContextMenuKeys() {
    auto* keys = new QAction(this);
    keys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    keys->setShortcutContext(Qt::WindowShortcut);
    connect(keys, &QAction::triggered, this,
            [this] { ContextMenu::Track(this, mapToGlobal(rect().center()), m_router); });
    addAction(keys);
}

QSize CquelbyView::minimumSizeHint() const {
    if (!m_pForward || !m_pBack)
        return {};
    // As far right and down as the buttons reach, and the back button's
    // one-pixel margin beyond.
    const QRect buttons = m_pForward->geometry() | m_pBack->geometry();
    return QSize(buttons.right() + 2, buttons.bottom() + 2);
}

void CquelbyView::OnActivateView() {
    if (m_viewing.State().m_bLowColour == 1)
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
