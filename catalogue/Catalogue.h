#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

// The built-in table of the cartoons on the CD. Both programs carry it; a
// cartoon is addressed by its 1-based position. A name such as "1T045AN1.BMP"
// is the treasury digit, "T", the page, the category code, the variant digit
// and ".BMP".

inline constexpr int kCatalogueSize = 743;
// The volume label of the CD.
inline constexpr const char* kCdVolumeLabel = "QUELBY_CDH";
inline constexpr int kCartoonNameLength = 12;
// Positions count from 1 in every list: the catalogue, a category, the favourites.
inline constexpr int kFirstPosition = 1;

// Which list is in force, with the values stored in bookmarks and in the
// saver's settings. A stored value outside these names no list.
enum class ViewMode : int { all = 1, category = 2, favourites = 5 };

// The name at a position from 1 to kCatalogueSize; empty for any other
// position, so a hand-edited position never reads outside the table.
std::string_view CatalogueName(int position);
QString CatalogueNameString(int position);

// A name belongs to a category when the code occurs anywhere in it
// (case-sensitive). An empty code belongs to every name.
bool InCategory(std::string_view name, std::string_view code);
bool InCategory(std::string_view name, QStringView code);

enum class WalkDirection { forward, back };

// Category filtering: from the position, the first catalogue position in the
// direction whose name holds the code, wrapping from lastPosition to 1 going
// forward and from 1 to lastPosition going back. The start position itself is
// tested first. A start outside 1..lastPosition begins at 1 going forward and
// at lastPosition going back; lastPosition is kept within the catalogue.
// The walk covers at most one lap: nullopt when no name holds the code.
std::optional<int> FindInCategory(int position, std::string_view code, WalkDirection direction,
                                  int lastPosition = kCatalogueSize);
std::optional<int> FindInCategory(int position, QStringView code, WalkDirection direction,
                                  int lastPosition = kCatalogueSize);

// Caption texts of a name: the treasury digit, and the page without leading
// zeros ("1T005HI1.BMP" gives "1" and "5"). Empty for a name too short to
// hold them.
std::string_view TreasuryText(std::string_view name);
std::string_view PageText(std::string_view name);
QString TreasuryText(QStringView name);
QString PageText(QStringView name);

// Folders on the CD, as templates whose first character is the drive letter.
inline constexpr std::string_view kCartoonFolderTemplate = "c:\\quelby\\images\\t1\\";
inline constexpr std::string_view kCoverFolderTemplate = "c:\\quelby\\images\\col\\";
inline constexpr int kTreasuryDigitInFolder = 18; // the "1" of "t1"
inline constexpr std::string_view kCoverFileName = "splash.bmp";
inline constexpr std::string_view kCoverFileName24 = "splash24.bmp";

// "D:\quelby\images\t1\1T005HI1.BMP": the drive letter, the folder of the
// name's treasury, and the name.
QString CartoonPath(QChar drive, std::string_view name);
QString CartoonPath(QChar drive, QStringView name);

// "splash.bmp" for displays of 8 bits per pixel or fewer, else "splash24.bmp".
std::string_view CoverFileName(int displayBitsPerPixel);
// "D:\quelby\images\col\splash.bmp" or "...\splash24.bmp" likewise.
QString CoverPath(QChar drive, int displayBitsPerPixel);
