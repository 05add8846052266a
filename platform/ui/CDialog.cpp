#include "CDialog.h"

#include "CBitmapButton.h"
#include "TestSeam.h"
#include "UpDownControl.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

namespace {
CDialog::ModalHook& CurrentHook() {
    static CDialog::ModalHook hook;
    return hook;
}
[[maybe_unused]] const bool g_switch = testseam::Register(CurrentHook());
} // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), m_templateId(dialogTemplate.id) {
    setObjectName(QStringLiteral("dialog%1").arg(dialogTemplate.id));
    setWindowTitle(dialogTemplate.title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Build(dialogTemplate);
}

CDialog::~CDialog() = default;

CDialog::ModalHook CDialog::SetModalHook(ModalHook hook) {
    return std::exchange(CurrentHook(), std::move(hook));
}

void CDialog::Build(const DialogTemplate& dialogTemplate) {
    setFixedSize(MapDialogSize(font(), dialogTemplate.units));
    QLabel* pendingLabel = nullptr; // a label's access key moves to the next control
    for (const DialogControl& control : dialogTemplate.controls) {
        QWidget* widget = MakeControl(control);
        widget->setGeometry(MapDialogRect(font(), control.units));
        if (control.id >= 0) {
            widget->setObjectName(QStringLiteral("control%1").arg(control.id));
            m_items[control.id] = widget;
        }
        if (pendingLabel && widget->focusPolicy() != Qt::NoFocus) {
            pendingLabel->setBuddy(widget);
            pendingLabel = nullptr;
        }
        if (auto* label = qobject_cast<QLabel*>(widget); label && control.text.contains('&'))
            pendingLabel = label;
    }
}

QWidget* CDialog::MakeControl(const DialogControl& control) {
    const int id = control.id;
    switch (control.kind) {
    case ControlKind::label:
        return new QLabel(control.text, this);
    case ControlKind::groupBox: {
        auto* box = new QGroupBox(control.text, this);
        box->lower(); // a frame drawn behind the controls it surrounds
        return box;
    }
    case ControlKind::pushButton:
    case ControlKind::defPushButton: {
        auto* button = new QPushButton(control.text, this);
        button->setAutoDefault(false);
        button->setDefault(control.kind == ControlKind::defPushButton);
        connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
        return button;
    }
    case ControlKind::radioButton:
        return new QRadioButton(control.text, this);
    case ControlKind::checkBox:
        return new QCheckBox(control.text, this);
    case ControlKind::edit:
        return new QLineEdit(control.text, this);
    case ControlKind::bitmapButton: {
        auto* button = new CBitmapButton(control.text, id, this);
        connect(button, &CBitmapButton::clicked, this, [this, id] { Command(id); });
        return button;
    }
    case ControlKind::upDown:
        return new UpDownControl(this);
    case ControlKind::listBox: {
        auto* list = new QListWidget(this);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return list;
    }
    }
    return new QWidget(this);
}

QWidget* CDialog::GetDlgItem(int id) const {
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

int CDialog::DoModal() {
    m_result = IDCANCEL;
    m_ended = false;
    const bool defaultFocus = OnInitDialog();
    // A dialog that ends while it opens is never shown.
    if (m_ended)
        return m_result;
    if (defaultFocus) {
        for (const auto& [id, widget] : m_items) {
            if (widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus) {
                widget->setFocus();
                break;
            }
        }
    }
    if (CurrentHook()) {
        show();
        // Shown and active, as a dialog a person sees: keys reach the focus.
        activateWindow();
        QApplication::setActiveWindow(this);
        QCoreApplication::processEvents();
        CurrentHook()(*this);
        if (isVisible())
            EndDialog(IDCANCEL);
        return m_result;
    }
    exec();
    return m_result;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ended = true;
    done(result);
}

void CDialog::Command(int id) {
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        OnCommand(id);
}

void CDialog::OnCommand(int /*id*/) {}

void CDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (auto* focused = qobject_cast<QPushButton*>(focusWidget());
        focused && focused->isEnabled()) {
        focused->click();
        return;
    }
    for (const auto& [id, widget] : m_items) {
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button && button->isDefault()) {
            if (button->isEnabled())
                button->click();
            return;
        }
    }
    Command(IDOK);
}

void CDialog::CheckRadioButton(int first, int last, int id) {
    for (auto it = m_items.lower_bound(first); it != m_items.end() && it->first <= last; ++it) {
        if (auto* radio = qobject_cast<QRadioButton*>(it->second)) {
            // Cleared one by one: an exclusive group would refuse to uncheck.
            radio->setAutoExclusive(false);
            radio->setChecked(it->first == id);
            radio->setAutoExclusive(true);
        }
    }
}

namespace {
// An integer as the framework reads one: blanks, an optional sign, digits,
// blanks and nothing else. "0" reads, and a value that reads as 0 from
// anything but a first digit 0 does not.
std::optional<int> ScanInt(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const int value = trimmed.toInt(&ok, 10);
    if (!ok || (value == 0 && !trimmed.startsWith(QLatin1Char('0'))))
        return std::nullopt;
    return value;
}
} // namespace

void CDialog::FailExchange(int id, const QString& prompt) {
    AfxMessageBox(prompt, MB_OK);
    if (auto* edit = Item<QLineEdit>(id)) {
        edit->setFocus();
        edit->selectAll();
    }
}

std::optional<int> CDialog::ExchangeInt(int id) {
    const auto* edit = Item<QLineEdit>(id);
    const std::optional<int> value = edit ? ScanInt(edit->text()) : std::nullopt;
    if (!value)
        FailExchange(id, QStringLiteral("Please enter an integer."));
    return value;
}

bool CDialog::ValidateMinMax(int id, int value, int min, int max) {
    if (value >= min && value <= max)
        return true;
    FailExchange(id,
                 QStringLiteral("Please enter an integer between %1 and %2.").arg(min).arg(max));
    return false;
}

bool CDialog::IsDlgButtonChecked(int id) const {
    const auto* button = qobject_cast<const QAbstractButton*>(GetDlgItem(id));
    return button && button->isChecked();
}

int CDialog::AddSortedString(QListWidget& list, const QString& text) {
    // After every item that sorts before it or equal to it.
    int low = 0;
    int high = list.count();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (QString::compare(list.item(middle)->text(), text, Qt::CaseInsensitive) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    list.insertItem(low, text);
    return low;
}
