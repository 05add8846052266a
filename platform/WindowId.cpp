#include "WindowId.h"

namespace {
// X resource ids leave their top three bits clear.
constexpr std::uint64_t kLargestResourceId = 0x1FFFFFFF;

bool AllDigits(const QString& text, int base) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const QChar lower = c.toLower();
        const bool hex = lower >= QLatin1Char('a') && lower <= QLatin1Char('f');
        if (!digit && !(base == 16 && hex))
            return false;
    }
    return true;
}
} // namespace

namespace xhost {

std::optional<std::uint32_t> ParseWindowId(const QString& text) {
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const QString digits = hex ? text.mid(2) : text;
    const int base = hex ? 16 : 10;
    if (!AllDigits(digits, base))
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, base);
    if (!ok || value == 0 || value > kLargestResourceId)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace xhost
