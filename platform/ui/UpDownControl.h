#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// The up-down control: two arrows that step the integer in its buddy, an
// edit box, between the ends of its range. It sits at the buddy's right edge
// (the buddy gives up that much width), and the Up and Down keys in the
// buddy step it as the arrows do. A buddy that holds no number steps from
// the end of the range the arrow points away from.
class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent);

    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const { return m_buddy; }
    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // +1 for the up arrow, -1 for the down arrow.
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* m_buddy = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_lower = 0;
    int m_upper = 100;
};
