#include "NumberedList.h"

#include "Selection.h"

#include <algorithm>

namespace {
const QString& kTotalEntry = profilesections::kTotalEntry;

// The number an entry name stands for: "1" to kHighestNumber, written as
// QString::number writes it, so that "01" or "+1" is not entry 1.
std::optional<qint64> EntryNumber(const QString& entry) {
    bool ok = false;
    const qint64 number = entry.toLongLong(&ok);
    if (!ok || number < 1 || number > NumberedList::kHighestNumber ||
        QString::number(number) != entry)
        return std::nullopt;
    return number;
}
} // namespace

NumberedList::NumberedList(const Profile& profile, const QString& section) {
    const QMap<QString, QString> values = profile.Values(section);
    for (auto value = values.cbegin(); value != values.cend(); ++value) {
        if (value.key() == kTotalEntry) {
            bool ok = false;
            const int total = value.value().trimmed().toInt(&ok);
            m_total = ok ? std::max(total, 0) : 0;
        } else if (const std::optional<qint64> number = EntryNumber(value.key())) {
            m_entries.emplace(*number, value.value());
        }
    }
}

int NumberedList::StoredTotal(const Profile& profile, const QString& section) {
    return std::max(profile.GetInt(section, kTotalEntry, 0), 0);
}

qint64 NumberedList::Highest() const {
    return m_entries.empty() ? 0 : m_entries.rbegin()->first;
}

qint64 NumberedList::Highest(const QString& except) const {
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend(); ++entry) {
        if (entry->second != except)
            return entry->first;
    }
    return 0;
}

std::optional<qint64> NumberedList::FirstMissing(qint64 last) const {
    // The entries are in order: the first number that is not the next one held.
    qint64 expected = 1;
    for (const auto& entry : m_entries) {
        if (entry.first != expected || expected > last)
            break;
        ++expected;
    }
    return expected <= std::min(last, kHighestNumber) ? std::optional(expected) : std::nullopt;
}

std::optional<QString> NumberedList::Entry(qint64 number) const {
    const auto entry = m_entries.find(number);
    if (entry == m_entries.end())
        return std::nullopt;
    return entry->second;
}

QString NumberedList::Entry(qint64 number, const QString& defaultValue) const {
    return Entry(number).value_or(defaultValue);
}

QStringList NumberedList::Entries(qint64 last, const QString& defaultValue) const {
    QStringList entries;
    const qint64 end = std::min(last, kHighestNumber);
    for (qint64 number = 1; number <= end; ++number)
        entries.append(Entry(number, defaultValue));
    return entries;
}

std::optional<qint64> NumberedList::Find(const QString& name, qint64 last) const {
    for (const auto& [number, value] : m_entries) {
        if (number > last)
            break;
        if (value == name)
            return number;
    }
    return std::nullopt;
}
