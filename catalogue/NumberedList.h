#pragma once

#include "Profile.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

// What taking an item out of a stored list did.
struct ListRemoval {
    bool found = false; // the list held the item
    bool saved = false; // the change reached the profile
    int total = 0;      // the stored total afterwards
    // The new total after a removal that was saved.
    std::optional<int> Remaining() const {
        return found && saved ? std::optional(total) : std::nullopt;
    }
};

// One reading of a profile section that keeps a list: the count in "total"
// and the items in entries "1" to "total", decimal without leading zeros.
// A list edited by hand may claim any total or lack entries, so every walk
// here goes over the entries the section holds, never over a claimed range.
class NumberedList {
public:
    // Entry numbers above this are ignored; no list the programs keep comes
    // near it, and it bounds what a hand-edited number can make a walk cover.
    static constexpr qint64 kHighestNumber = 65536;

    NumberedList(const Profile& profile, const QString& section);
    // The stored total alone, without reading the entries.
    static int StoredTotal(const Profile& profile, const QString& section);

    // The stored total; 0 when it is negative or not a number.
    int Total() const { return m_total; }
    // The highest entry number the section holds, 0 when none: every entry
    // past it is missing.
    qint64 Highest() const;
    // The highest entry number holding something other than `except`, 0 when none.
    qint64 Highest(const QString& except) const;
    // The first of entries 1 to last that the section lacks.
    std::optional<qint64> FirstMissing(qint64 last) const;
    std::optional<QString> Entry(qint64 number) const;
    QString Entry(qint64 number, const QString& defaultValue) const;
    // Entries 1 to min(last, kHighestNumber), a missing one as the default.
    QStringList Entries(qint64 last, const QString& defaultValue) const;
    // The first of entries 1 to last holding exactly the name. A missing
    // entry holds no name.
    std::optional<qint64> Find(const QString& name, qint64 last) const;

private:
    int m_total = 0;
    std::map<qint64, QString> m_entries;
};
