#pragma once

#include "CDialog.h"

// Dialog 136, "Quelby Screen Saver": the view time with its arrows, "Save
// Location On Exit", and the three choices of what to show. OK stores the
// view time and the check box; a choice button sets the mode and then does
// the same. No button is the default one.
class CSaverSetupDlg : public CDialog {
    Q_OBJECT
public:
    // The modes the choice buttons report.
    static constexpr int kModeAll = 7;
    static constexpr int kModeCategory = 2;
    static constexpr int kModeFavourites = 5;

    explicit CSaverSetupDlg(QWidget* parent = nullptr);

    int m_nViewTime = 0;     // seconds; filled from "delay" before the dialog runs
    int m_nSaveLocation = 0; // filled from "saveOnExit"
    int m_nMode = 0;
    int m_bChoiceMade = 0;
    bool m_bSaved = true; // whether OK stored the view time and "saveOnExit"
    int m_bLowColourBanner = 1;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCommand(int id) override;
};
