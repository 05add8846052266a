#pragma once

#include "DialogTemplate.h"
#include "MessageBox.h"

#include <QDialog>
#include <functional>
#include <map>
#include <optional>

class QListWidget;

// The framework's modal dialog. Its controls come from a template placed in
// dialog units; each is found by its id. A push button with id IDOK runs
// OnOK, IDCANCEL OnCancel, any other OnCommand. Enter presses the push
// button that has the focus, else the default push button, else sends IDOK;
// Escape and the window's close run OnCancel. DoModal runs OnInitDialog,
// shows the dialog and returns the result EndDialog was given.
class CDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDialog(const DialogTemplate& dialogTemplate, QWidget* parent = nullptr);
    ~CDialog() override;

    int DoModal();
    int TemplateId() const { return m_templateId; }
    // The control with this id, or nullptr.
    QWidget* GetDlgItem(int id) const;
    template <typename T> T* Item(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    // Ends the modal run with this result; called while the dialog opens, it
    // keeps the dialog from showing at all.
    void EndDialog(int result);

    // Checks `id` and clears the other radio buttons whose ids lie between
    // first and last.
    void CheckRadioButton(int first, int last, int id);
    bool IsDlgButtonChecked(int id) const;

    // The framework's exchange of an integer with an edit box: the box's
    // text when it is an integer (blanks around it allowed), else "Please
    // enter an integer." with the box given the focus and its text selected,
    // and no value. The range check likewise says "Please enter an integer
    // between %1 and %2." with the ends filled in.
    std::optional<int> ExchangeInt(int id);
    bool ValidateMinMax(int id, int value, int min, int max);

    // A sorted list box's insertion: the place of the text in alphabetical
    // order without regard to case. Returns the new item's row.
    static int AddSortedString(QListWidget& list, const QString& text);

    // Tests drive the real dialog as a person would: while a hook is set,
    // DoModal shows the dialog after OnInitDialog, runs the hook (which
    // presses buttons, types and sends keys) and returns the result the
    // dialog ended with. A dialog still open when the hook returns ends with
    // IDCANCEL.
    using ModalHook = std::function<void(CDialog&)>;
    // Returns the hook it replaces.
    static ModalHook SetModalHook(ModalHook hook);

protected:
    // False when it gave a control the focus itself; true gives the focus to
    // the first control that takes it.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnCommand(int id);

    void keyPressEvent(QKeyEvent* event) override;
    void reject() override { OnCancel(); }
    void accept() override { OnOK(); }

private:
    void Build(const DialogTemplate& dialogTemplate);
    void FailExchange(int id, const QString& prompt);
    QWidget* MakeControl(const DialogControl& control);
    void Command(int id);

    int m_templateId;
    std::map<int, QWidget*> m_items;
    int m_result = IDCANCEL;
    bool m_ended = false;
};
