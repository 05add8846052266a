#pragma once

#include "DibHeader.h"
#include "GlobalBlock.h"

// A packed device-independent bitmap in a movable, zero-filled block: the
// header at offset 0, the colour table right after it, then the pixel bits.
// The ".BMP" file header is not part of the block. The handle is move-only
// and frees its block; an empty handle is "none".
using HDIB = GlobalBlock;

inline DibBytes LockedDib(const GlobalLockGuard& lock) {
    return {lock.Data(), lock.Data() ? lock.Size() : 0};
}

// A zero-filled block of the source's allocated size holding a copy of every
// byte; none for none or when the memory cannot be had.
HDIB CopyGlobalBlock(HDIB& hSource);
