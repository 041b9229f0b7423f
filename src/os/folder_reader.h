#pragma once
// The ROM folder, read beside the window's thread: a folder on a slow or
// hung share never holds the window.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "os/clock.h"
#include "os/files.h"
#include "os/worker.h"
#include "text/gamelist.h"
#include "text/name_list.h"

namespace tarvo {

struct FolderReading {
    std::uint64_t ticket;  // which reading its news belongs to
    std::string folder;    // ending in the separator
    std::string patterns;
    int progressEveryMs;   // FolderProgress at most this often
    // Where players' names for the games may be, first first: read once the
    // listing is told, the first that is a gamelist told too.
    std::vector<std::string> gameLists = {};
};

// What a reading of a folder found.
struct FolderListing {
    NameList names;           // as Files::ListFiles gives them
    bool holdsFiles = false;  // a visible ordinary file at all, matching or not
};

// News of readings, on the window's thread.
class FolderListener {
public:
    // A reading under way has found this many names so far.
    virtual void FolderProgress(std::uint64_t ticket, std::size_t found) = 0;
    // A reading is done: what it found (with an error part-way, a share
    // that dropped, what was read before it).
    virtual void FolderRead(std::uint64_t ticket, FolderListing listing) = 0;
    // After it, the gamelist of that reading, if one was there.
    virtual void GameListRead(std::uint64_t ticket, std::shared_ptr<const GameList> games) = 0;

protected:
    ~FolderListener() = default;
};

class FolderReader {
public:
    virtual ~FolderReader() = default;
    // Reads a folder. A reading under way is abandoned, its news never
    // comes, and this one starts once the system has let go of it: one
    // listing at a time, however often it is asked.
    virtual void Read(const FolderReading& reading) = 0;
};

// What a reading makes of the folder's names before the window has them:
// one row per game, the sheets and playlists read as the folder was.
void KeepOneRowPerGame(NameList& names, const FolderReading& reading, Files& files, const Cancellable& cancel);
// The reading's first gamelist that is there and can be read; none: nothing.
std::shared_ptr<const GameList> FirstGameList(const FolderReading& reading, Files& files, const Cancellable& cancel);

class FolderReaderBeside : public FolderReader {
public:
    // clock times the progress news, beside the window's thread.
    FolderReaderBeside(Files& files, Clock& clock, WindowThread& window, FolderListener& listener)
        : files_(files), clock_(clock), listener_(listener), worker_(window) {}
    void Read(const FolderReading& reading) override;

private:
    Files& files_;
    Clock& clock_;
    FolderListener& listener_;
    Worker worker_;  // last: goes first
};

}  // namespace tarvo
