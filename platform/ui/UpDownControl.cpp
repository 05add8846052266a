#include "UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {m_up, m_down}) {
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    connect(m_up, &QToolButton::clicked, this, [this] { Step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
    setFocusPolicy(Qt::StrongFocus);
}

void UpDownControl::SetBuddy(QLineEdit* buddy) {
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (!m_buddy)
        return;
    m_buddy->installEventFilter(this);
    // Aligned right: the arrows take the right end of the buddy's place.
    const QRect place = m_buddy->geometry();
    m_buddy->setGeometry(place.adjusted(0, 0, -width(), 0));
    move(place.right() - width() + 1, place.top());
    resize(width(), place.height());
}

void UpDownControl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

void UpDownControl::Step(int delta) {
    if (!m_buddy)
        return;
    bool ok = false;
    const int current = m_buddy->text().trimmed().toInt(&ok);
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    const int next = ok ? std::clamp(current + delta, low, high) : (delta > 0 ? low : high);
    m_buddy->setText(QString::number(next));
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        Step(event->key() == Qt::Key_Up ? 1 : -1);
    else
        QWidget::keyPressEvent(event);
}

void UpDownControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
