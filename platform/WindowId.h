#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace xhost {
// An X window id as a screen-saver host writes one: the whole text is a
// number in hexadecimal after "0x" (or "0X") or in decimal, not 0, and fits
// the 29 bits of an X resource id. None otherwise.
std::optional<std::uint32_t> ParseWindowId(const QString& text);
} // namespace xhost
