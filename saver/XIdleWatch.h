#pragma once

#include "PolledIdleWatch.h"

#include <memory>

struct _XDisplay;

// The X server's screen-saver extension (XScreenSaverQueryInfo), on a
// connection of its own to the display DISPLAY names.
class XIdleWatch final : public PolledIdleWatch {
    Q_OBJECT
public:
    // None without an X server or without the extension.
    static std::unique_ptr<XIdleWatch> Open();
    ~XIdleWatch() override;

private:
    explicit XIdleWatch(_XDisplay* display);
    void Look() override;

    _XDisplay* m_display;
};
