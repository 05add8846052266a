#include "Catalogue.h"

#include <QLatin1StringView>
#include <algorithm>
#include <array>

namespace {

// The catalogue, page by page: each entry is a page number followed by the
// category codes with variant digits found on that page. The entry
// "008 CR1 SC1" stands for "1T008CR1.BMP" and "1T008SC1.BMP".
constexpr std::string_view kCompactList =
    "005 HI1; 007 AN1; 008 CR1 SC1 WO1 WO2; 009 AF1 HI1 SH1 WO1; 010 AF1 MO1 SC1 WO1; "
    "011 EV1 HI1 MO1 WO1; 012 AN1 CR1 WO1 WO2; 013 TR1 TR2 WO1 WO2; 014 AF1 AF2 WO1 WO2; "
    "015 AF1 SH1 WO1 WO2; 016 AN1 EV1 TR1 WO1; 017 ME1; 018 AF1 MO1 SC1 SH1; "
    "019 AF1 SC1 WO1 WO2; 020 AN1 HI1 WO1 WO2; 021 AF1 AN1 EV1 SP1; 022 AF1 AN1 SC1 WO1; "
    "023 SC1 SH1 SP1 WO1; 024 AN1 AN2 WO1 WO2; 025 AN1 AR1 EV1 SC1; 026 CR1 HI1 HI2 WO1; "
    "027 AN1; 028 FD1 FD2 FD3 WO1; 029 AN1 WO1 WO2 WO3; 030 AF1 ME1 SH1 WO1; "
    "031 AN1 EV1 TR1 WO1; 032 AN1 HI1 SP1 WO1; 033 AF1 MO1 SH1 WO1; 034 EV1 MO1 WO1 WO2; "
    "035 AF1 SC1 WO1 WO2; 036 CR1 EV1 WO1 WO2; 037 HI1; 038 MO1 MO2 TR1 WO1; "
    "039 AN1 AR1 MO1 SH1; 040 HI1 ME1 SP1 TR1; 041 CR1 CR2 WO1 WO2; 042 AN1 TR1 WO1 WO2; "
    "043 AF1 ME1 SC1 WO1; 044 AN1 MO1 SC1 WO1; 045 AN1 AN2 EV1 WO1; 046 EV1 SH1 WO1 WO2; "
    "047 AR1; 048 HI1 TR1 WO1 WO2; 049 AF1 AN1 CR1 WO1; 050 HI1 SC1 SH1 WO1; "
    "051 CR1 ME1 WO1 WO2; 052 CR1 FD1 ME1 WO1; 053 AN1 HI1 TR1 TR2; 054 CR1 SC1 WO1 WO2; "
    "055 AN1 SC1 WO1 WO2; 056 AN1 AN2 CR1 WO1; 057 WO1; 058 AN1 AN2 FD1 WO1; "
    "059 SC1 SH1 SP1 WO1; 060 HI1 MO1 TR1 WO1; 061 EV1 ME1 SH1 WO1; 062 AN1 EV1 HI1 WO1; "
    "063 AN1 SC1 SH1 WO1; 064 EV1 EV2 MO1 WO1; 065 CR1 HI1 MO1 MO2; 066 AN1 AR1 FD1 WO1; "
    "067 WO1; 068 HI1 TR1 TR2 WO1; 069 AN1 CR1 SH1 WO1; 070 AN1 AN2 CR1 WO1; "
    "071 AN1 EV1 WO1 WO2; 072 AF1 ME1 MO1 WO1; 073 HI1 WO1 WO2 WO3; 074 AN1 CR1 CR2 TR1; "
    "075 AN1 EV1 SC1 WO1; 076 AF1 AN1 AN2 EV1; 077 ME1; 078 AN1 AN2 SH1 WO1; "
    "079 ME1 ME2 TR1 WO1; 080 AN1 SP1 WO1 WO2; 081 AN1 CR1 EV1 WO1; 082 EV1 SC1 SC2 WO1; "
    "083 AF1 AN1 CR1 WO1; 084 AN1 EV1 ME1 SP1; 085 AN1 CR1 EV1 HI1; 086 FD1 HI1 SH1 WO1; "
    "087 HI1; 088 AN1 AR1 TR1 WO1; 089 AN1 AN2 WO1 WO2; 090 SC1 SH1 TR1 WO1; "
    "091 AR1 CR1 WO1 WO2; 092 EV1 MO1 WO1 WO2; 093 AN1 SH1 WO1 WO2; 094 AN1 CR1 FD1 WO1; "
    "095 EV1 SC1 SH1 WO1; 096 AN1 ME1 SC1 SH1; 097 HI1; 098 CR1 CR2 MO1 SC1; "
    "099 CR1 EV1 WO1 WO2; 100 AN1 ME1 MO1 SP1; 101 EV1 EV2 ME1 SC1; 102 FD1 HI1 ME1 MO1; "
    "103 AN1 MO1 SH1 WO1; 104 AN1 HI1 SC1 SP1; 105 AF1 EV1 HI1 MO1; 106 AN1 EV1 MO1 SH1; "
    "107 ME1; 108 AN1 AN2 SC1 SC2; 109 AF1 AN1 AN2 WO1; 110 CR1 CR2 EV1 MO1; "
    "111 EV1 EV2 SH1 WO1; 112 AN1 FD1 SC1 WO1; 113 EV1 EV2 MO1 WO1; 114 EV1 ME1 SH1 SP1; "
    "115 EV1 EV2 HI1 WO1; 116 AN1 ME1 MO1 WO1; 117 SC1; 118 CR1 CR2 EV1 WO1; "
    "119 HI1 SC1 WO1 WO2; 120 EV1 WO1 WO2 WO3; 121 AN1 HI1 SH1 WO1; 122 ME1 ME2 SH1 WO1; "
    "123 FD1 SC1 WO1 WO2; 124 AN1 AR1 WO1 WO2; 125 CR1 EV1 EV2 SC1; 126 MO1 SC1 WO1 WO2; "
    "127 WO1; 128 AN1 CR1 MO1 WO1; 129 AF1 MO1 SC1 SC2; 130 EV1 EV2 ME1 WO1; "
    "131 AF1 AN1 AN2 SP1; 132 EV1 SC1 WO1 WO2; 133 AN1 ME1 WO1 WO2; 134 HI1 SP1 WO1 WO2; "
    "135 AN1 EV1 WO1 WO2; 136 EV1 SH1 WO1 WO2; 137 EV1; 138 AN1 CR1 EV1 ME1; "
    "139 AN1 EV1 SH1 WO1; 140 EV1 MO1 MO2 WO1; 141 AN1 AN2 EV1 WO1; 142 AF1 FD1 MO1 SP1; "
    "143 AN1 EV1 MO1 TR1; 144 AN1 WO1 WO2 WO3; 145 AN1 AR1 FD1 MO1; 146 AR1 WO1 WO2 WO3; "
    "147 MO1; 148 AN1 FD1 MO1 WO1; 149 CR1 ME1 TR1 WO1; 150 AN1 ME1 WO1 WO2; "
    "151 EV1 ME1 WO1 WO2; 152 EV1 EV2 ME1 WO1; 153 EV1 SC1 TR1 WO1; 154 EV1 ME1 SC1 WO1; "
    "155 CR1 EV1 HI1 SH1; 156 MO1 SH1 WO1 WO2; 157 WO1; 158 MO1 WO1 WO2 WO3; "
    "159 CR1 SC1 WO1 WO2; 160 AN1 AN2 AN3 WO1; 161 CR1 SC1 SH1 WO1; 162 AN1 ME1 WO1 WO2; "
    "163 AN1 MO1 SH1 WO1; 164 EV1 HI1 MO1 WO1; 165 EV1 FD1 MO1 WO1; 166 FD1 SH1 TR1 WO1; "
    "167 WO1; 168 TR1 WO1 WO2 WO3; 169 EV1 SC1 TR1 WO1; 170 SP1 WO1 WO2 WO3; "
    "171 EV1 WO1 WO2 WO3; 172 AR1 CR1 EV1 WO1; 173 CR1 SC1 TR1 WO1; 174 AN1 AN2 WO1 WO2; "
    "175 SC1 SC2 SH1 WO1; 176 AN1 MO1 SH1 WO1; 177 AN1; 178 MO1 MO2 SH1 WO1; "
    "179 MO1 MO2 SC1 WO1; 180 AN1 EV1 FD1 SH1; 181 AF1 AN1 EV1 HI1; 182 CR1 SC1 WO1 WO2; "
    "183 AN1 MO1 SP1 SP2; 184 AF1 AN1 AR1 CR1; 185 CR1 EV1 ME1 TR1; 186 AF1 AF2 CR1 SP1; "
    "187 AN1; 188 CR1 EV1 TR1 WO1; 189 AN1 EV1 SP1 WO1; 190 CR1 CR2 WO1 WO2; "
    "191 AF1 AN1 HI1 WO1; 192 AN1 AN2 CR1 WO1; 193 AN1 CR1 SC1 SH1; 194 AN1 EV1 MO1 WO1; "
    "195 AN1 HI1 SC1 WO1; 196 WO1 WO2 WO3 WO4; 197 WO1; 198 AN1 MO1 MO2 WO1; "
    "199 EV1 ME1 WO1 WO2; 200 EV1 EV2 SC1 WO1; 201 AR1 EV1 ME1 WO1; 202 EV1 EV2 SH1 WO1; "
    "203 AF1 AN1 EV1 ME1; 204 AF1 AN1 MO1 WO1; 205 AN1 MO1 WO1 WO2; 206 AN1 MO1 SC1 WO1; "
    "207 AN1; 208 HI1; ";

using NameChars = std::array<char, kCartoonNameLength>;
using NameTable = std::array<NameChars, kCatalogueSize>;

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr NameChars MakeName(std::string_view page, std::string_view codeAndVariant) {
    NameChars name{'1',
                   'T',
                   page[0],
                   page[1],
                   page[2],
                   codeAndVariant[0],
                   codeAndVariant[1],
                   codeAndVariant[2],
                   '.',
                   'B',
                   'M',
                   'P'};
    return name;
}

// Expands the page list into the table while compiling; a malformed list or
// a wrong count stops the build (a throw is not a constant expression).
constexpr NameTable ExpandCompactList(std::string_view list) {
    NameTable table{};
    std::size_t count = 0;
    std::string_view page;
    std::size_t i = 0;
    while (i < list.size()) {
        if (list[i] == ' ' || list[i] == ';') {
            ++i;
            continue;
        }
        std::size_t end = std::min(list.find_first_of(" ;", i), list.size());
        const std::string_view token = list.substr(i, end - i);
        i = end;
        if (token.size() != 3)
            throw "malformed catalogue entry";
        if (IsDigit(token[0]) && IsDigit(token[1]) && IsDigit(token[2])) {
            page = token;
        } else if (!page.empty() && IsUpper(token[0]) && IsUpper(token[1]) && IsDigit(token[2]) &&
                   count < table.size()) {
            table[count++] = MakeName(page, token);
        } else {
            throw "malformed catalogue entry";
        }
    }
    if (count != table.size())
        throw "wrong number of catalogue names";
    return table;
}

constexpr NameTable kNames = ExpandCompactList(kCompactList);

constexpr std::string_view View(const NameChars& name) {
    return {name.data(), name.size()};
}

constexpr bool StrictlyAscending(const NameTable& names) {
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (!(View(names[i - 1]) < View(names[i])))
            return false;
    }
    return true;
}

static_assert(StrictlyAscending(kNames), "catalogue names must be distinct and ascending");
static_assert(View(kNames.front()) == "1T005HI1.BMP" && View(kNames.back()) == "1T208HI1.BMP");

constexpr int kPageStart = 2;
constexpr int kPageDigits = 3;

template <typename Code>
std::optional<int> Walk(int position, Code code, WalkDirection direction, int lastPosition) {
    const int last = std::clamp(lastPosition, 1, kCatalogueSize);
    const bool forward = direction == WalkDirection::forward;
    int current = position;
    if (current < 1 || current > last)
        current = forward ? 1 : last;
    // One lap at most: a code that no name holds must not loop for ever.
    for (int tested = 0; tested < last; ++tested) {
        if (InCategory(CatalogueName(current), code))
            return current;
        if (forward)
            current = current >= last ? 1 : current + 1;
        else
            current = current <= 1 ? last : current - 1;
    }
    return std::nullopt;
}

} // namespace

std::string_view CatalogueName(int position) {
    if (position < 1 || position > kCatalogueSize)
        return {};
    return View(kNames[static_cast<std::size_t>(position - 1)]);
}

QString CatalogueNameString(int position) {
    const std::string_view name = CatalogueName(position);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

bool InCategory(std::string_view name, std::string_view code) {
    return name.find(code) != std::string_view::npos;
}

bool InCategory(std::string_view name, QStringView code) {
    const QLatin1StringView latin(name.data(), static_cast<qsizetype>(name.size()));
    return code.isEmpty() || latin.contains(code, Qt::CaseSensitive);
}

std::optional<int> FindInCategory(int position, std::string_view code, WalkDirection direction,
                                  int lastPosition) {
    return Walk(position, code, direction, lastPosition);
}

std::optional<int> FindInCategory(int position, QStringView code, WalkDirection direction,
                                  int lastPosition) {
    return Walk(position, code, direction, lastPosition);
}

std::string_view TreasuryText(std::string_view name) {
    return name.substr(0, 1);
}

std::string_view PageText(std::string_view name) {
    if (name.size() < kPageStart + kPageDigits)
        return {};
    std::string_view page = name.substr(kPageStart, kPageDigits);
    // Leading zeros go, but the last digit always stays.
    while (page.size() > 1 && page.front() == '0')
        page.remove_prefix(1);
    return page;
}

QString TreasuryText(QStringView name) {
    return name.left(1).toString();
}

QString PageText(QStringView name) {
    if (name.size() < kPageStart + kPageDigits)
        return {};
    QStringView page = name.mid(kPageStart, kPageDigits);
    while (page.size() > 1 && page.front() == u'0')
        page = page.mid(1);
    return page.toString();
}

QString CartoonPath(QChar drive, QStringView name) {
    QString path = QString::fromLatin1(kCartoonFolderTemplate.data(),
                                       static_cast<qsizetype>(kCartoonFolderTemplate.size()));
    path[0] = drive;
    if (!name.isEmpty())
        path[kTreasuryDigitInFolder] = name.front();
    path += name;
    return path;
}

QString CartoonPath(QChar drive, std::string_view name) {
    return CartoonPath(
        drive, QStringView(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))));
}

std::string_view CoverFileName(int displayBitsPerPixel) {
    return displayBitsPerPixel <= 8 ? kCoverFileName : kCoverFileName24;
}

QString CoverPath(QChar drive, int displayBitsPerPixel) {
    QString path = QString::fromLatin1(kCoverFolderTemplate.data(),
                                       static_cast<qsizetype>(kCoverFolderTemplate.size()));
    path[0] = drive;
    const std::string_view file = CoverFileName(displayBitsPerPixel);
    path += QLatin1StringView(file.data(), static_cast<qsizetype>(file.size()));
    return path;
}
