#pragma once

#include "Dib.h"
#include "Palette.h"

#include <QSize>
#include <memory>

// A picture as a program holds it: a bitmap's block, the palette object built
// from its colour table, and its size. It holds no bitmap at first and its
// size is 1 x 1 until the first bitmap is prepared; releasing the bitmap
// keeps the size. One holder owns it at a time: it moves and is never copied.
class Picture {
public:
    // What preparing a bitmap left in the picture.
    enum class Preparation {
        held,          // the bitmap, its size and, with a usable colour table, its palette
        none,          // no bitmap was given, or no memory for its palette object
        droppedTopDown // a negative width or height (a top-down bitmap): the bitmap was freed
    };

    Picture() = default;
    Picture(Picture&&) noexcept = default;
    Picture& operator=(Picture&&) noexcept = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The preparation step for a bitmap just read (ReadBitmapFile): releases
    // the bitmap held, takes the new one, records its size and builds a
    // palette object from its colour table. A bitmap without a usable colour
    // table keeps no palette object and is painted without one. None leaves
    // the size as it was.
    Preparation Prepare(HDIB hDIB);
    // Frees the bitmap and its palette; the size stays.
    void Release();

    bool HasBitmap() const { return static_cast<bool>(m_hDIB); }
    // The bitmap, lent for painting, copying and writing.
    HDIB& Dib() { return m_hDIB; }
    CPalette* Palette() const { return m_pPalette.get(); }
    QSize Size() const { return m_size; }

private:
    HDIB m_hDIB;
    std::unique_ptr<CPalette> m_pPalette;
    QSize m_size{1, 1};
};
