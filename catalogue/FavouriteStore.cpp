#include "FavouriteStore.h"

#include "NumberedList.h"

#include <algorithm>

namespace {
const QString kSection = QStringLiteral("fav");
const QString kTotalEntry = QStringLiteral("total");
const QString kMissing = QStringLiteral("error");
// What an entry past the end receives when the entries move down.
const QString kFiller = QStringLiteral("empty");

QString EntryName(qint64 number) {
    return QString::number(number);
}
} // namespace

FavouriteStore::FavouriteStore(Profile profile) : m_profile(std::move(profile)) {}

int FavouriteStore::Total() const {
    return NumberedList::StoredTotal(m_profile, kSection);
}

QStringList FavouriteStore::Names(int limit) const {
    const NumberedList list(m_profile, kSection);
    return list.Entries(std::min(list.Total(), limit), kMissing);
}

FavouriteStore::AddResult FavouriteStore::Add(const QString& name) {
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    // An entry past the total (the filler a removal leaves) is not in the
    // list and never blocks an add.
    if (list.Find(name, list.Total()))
        return AddResult::alreadySaved;
    if (list.Total() >= NumberedList::kHighestNumber)
        return AddResult::full;
    const int total = list.Total() + 1;
    m_profile.WriteInt(kSection, kTotalEntry, total);
    m_profile.WriteString(kSection, EntryName(total), name);
    return AddResult::added;
}

std::optional<int> FavouriteStore::Remove(const QString& name) {
    const ProfileLock lock = m_profile.Lock();
    const NumberedList list(m_profile, kSection);
    const std::optional<qint64> found = list.Find(name, list.Total());
    if (!found)
        return std::nullopt;
    m_profile.WriteString(kSection, EntryName(*found), std::nullopt);
    // Entries found+1 to total+1 move down one. Past the highest entry the
    // section holds every entry is missing, so the move stops one beyond it
    // whatever total a hand may have written.
    const qint64 last = std::min<qint64>(qint64{list.Total()} + 1, list.Highest() + 1);
    for (qint64 number = *found; number <= last; ++number)
        m_profile.WriteString(kSection, EntryName(number), list.Entry(number + 1, kFiller));
    const int total = list.Total() - 1; // found, so the total was at least 1
    m_profile.WriteInt(kSection, kTotalEntry, total);
    return total;
}
