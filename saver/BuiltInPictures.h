#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class QPainter;

// The four cartoons the saver carries for the turns without the CD: bitmaps
// 165, 166, 169 and 170 in turn, the notice above the first, and a search
// for the CD after the fourth.
class BuiltInPictures {
public:
    struct Turn {
        int bitmapId;
        bool searchForCd; // after this picture the CD is looked for again
        bool notice;      // the picture opens a round: the notice goes above it
    };

    static constexpr const char* kNotice =
        " Quelby CD not in CDROM drive: Displaying default images";
    // The notice stands this far left of and above the picture's corner.
    static constexpr QPoint kNoticeOffset{-15, -25};

    // This turn's picture; the state moves on to the next.
    Turn Next();
    // 1 to 4: the picture the next turn shows; any other value starts again
    // at the last picture.
    int State() const { return m_nState; }

    // Where a bitmap stands on the screen: centred, halves rounded toward zero.
    static QPoint Place(QSize screen, QSize bitmap);
    // Copies the bitmap to its place at its own size, and the notice above
    // it when asked: white on black, the painter's colours kept.
    static void Draw(QPainter& painter, QSize screen, const QImage& bitmap, bool notice);
    // The bitmap resource of the saver; null when it cannot be read.
    static QImage Load(int bitmapId);

private:
    int m_nState = 1;
};
