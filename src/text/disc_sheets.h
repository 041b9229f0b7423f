#pragma once
// Disc games in a folder: a playlist or cue sheet lies beside the files it
// names. The list shows one row per game, the sheet, since it is what the
// emulator is started with, and leaves out the tracks and discs behind it.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/name_list.h"

namespace tarvo {

// A sheet is read whole only up to this size; a larger one is no sheet.
inline constexpr std::size_t kMostSheetBytes = 64 * 1024;

// .m3u, .cue and .gdi, letter case ignored.
enum class SheetKind { None, Playlist, CueSheet, GdRomSheet };
SheetKind SheetKindOf(std::string_view fileName);

// The file names a sheet's text names in its own folder, in order. A name
// with a folder part ("/" or "\"), "." or "..", or an absolute path (a
// leading "/" or "\", a drive letter "X:") is left out, never followed.
// A text with a NUL byte is no text and names nothing.
std::vector<std::string> NamedBySheet(SheetKind kind, std::string_view text);

// Which of the listed names stand behind a game on disc: every name a listed
// sheet names (a sheet that is hidden itself still hides what it names; a
// sheet naming itself stays; a playlist never hides another), and every .bin
// or .img named as a listed .cue is, whether or not the .cue can be read:
// that is how such sets are named.
// Letter case is ignored. Empty when nothing is hidden; a folder without a
// sheet costs one pass over the extensions and nothing else.
// readSheet gives a listed sheet's text, or nothing when it cannot be read.
// It should refuse a file larger than kMostSheetBytes, so that none is read
// whole; a longer text handed over all the same is no sheet.
std::vector<bool> HiddenBehindSheets(const NameList& names,
                                     const std::function<std::optional<std::string>(std::string_view name)>& readSheet);

// Files no one means as a game: names beginning with "." (AppleDouble
// "._x.smc", ".DS_Store"), "Thumbs.db", "ehthumbs.db" and "desktop.ini",
// letter case ignored.
bool IsJunkFile(std::string_view name);

// The listed names less the junk and what stands behind a sheet: one name
// per game. The list is left as it is when it holds neither.
void LeaveOutNonGames(NameList& names,
                      const std::function<std::optional<std::string>(std::string_view name)>& readSheet);

}  // namespace tarvo
