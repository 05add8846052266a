#pragma once

#include "CDialog.h"

// Dialog 155: the view time of a slide show (1 to 99 seconds, with arrows)
// and whether it runs full screen. OK stores both in the profile ("cdrom",
// "delay" and "check"), but only once the view time is a valid integer in
// range: a refused entry keeps the dialog open and the profile as it was.
class CSlideShowDlg : public CDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 155;
    static constexpr int kViewTimeId = 1005;
    static constexpr int kSpinId = 1008;
    static constexpr int kFullScreenId = 1011;
    static constexpr int kShortestViewTime = 1;
    static constexpr int kLongestViewTime = 99;
    static constexpr int kViewTimeLength = 2; // characters

    explicit CSlideShowDlg(QWidget* parent = nullptr);

    int m_nViewTime = 0;      // exchanged with the edit box
    int m_nTakenViewTime = 0; // the view time OK took
    int m_nFullScreen = 0;    // 1: full screen

protected:
    bool OnInitDialog() override;
    void OnOK() override;
};
