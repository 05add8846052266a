#include "Dib.h"

#include <cstring>

HDIB CopyGlobalBlock(HDIB& hSource) {
    if (!hSource)
        return {};
    HDIB hCopy = HDIB::Alloc(hSource.Size());
    if (!hCopy)
        return {};
    {
        // Both unlocked before the new handle is handed out.
        GlobalLockGuard source(hSource);
        GlobalLockGuard copy(hCopy);
        if (source.Size() > 0)
            std::memcpy(copy.Data(), source.Data(), source.Size());
    }
    return hCopy;
}
