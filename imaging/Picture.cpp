#include "Picture.h"

#include <new>
#include <optional>

namespace {

constexpr std::uint32_t kLargestSignedSize = 0x7FFFFFFF;

// The bitmap's size; none for a negative width or height.
std::optional<QSize> SizeOf(HDIB& hDIB) {
    GlobalLockGuard lock(hDIB);
    const DibHeader header = ReadDibHeader(LockedDib(lock));
    if (header.width > kLargestSignedSize || header.height > kLargestSignedSize)
        return std::nullopt;
    return QSize(static_cast<int>(header.width), static_cast<int>(header.height));
}

} // namespace

Picture::Preparation Picture::Prepare(HDIB hDIB) {
    Release();
    m_hDIB = std::move(hDIB);
    if (!m_hDIB)
        return Preparation::none;
    const std::optional<QSize> size = SizeOf(m_hDIB);
    if (!size) {
        m_hDIB.Free();
        return Preparation::droppedTopDown;
    }
    m_size = *size;
    m_pPalette.reset(new (std::nothrow) CPalette);
    if (!m_pPalette) {
        m_hDIB.Free();
        return Preparation::none;
    }
    if (!CreateBitmapPalette(m_hDIB, *m_pPalette))
        m_pPalette.reset();
    return Preparation::held;
}

void Picture::Release() {
    m_hDIB.Free();
    m_pPalette.reset();
}
