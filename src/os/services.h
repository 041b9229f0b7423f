#pragma once
// What the program needs of the operating system. The core calls nothing
// else; each front end implements this once (Win32, Qt/POSIX) and the tests
// implement it in memory.
//
// Texts are UTF-8; on Linux paths are the file system's bytes as they are.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/name_list.h"
#include "text/wildcard.h"

namespace tarvo {

struct StartRequest {
    std::string program;        // never relative: resolved before the call
    std::string parameters;     // one text; empty means no parameters at all
    std::string workingFolder;
};

struct StartResult {
    bool started = false;
    std::string error;     // the system's words for why, when not started
    bool pending = false;  // not yet known: ProgramReports::StartFinished tells
    bool watched = false;  // started, and ProgramReports::ProgramEnded tells of its end

    static StartResult Started(bool watched) { return {true, {}, false, watched}; }
    static StartResult Failed(std::string why) { return {false, std::move(why), false, false}; }
    static StartResult Pending() { return {false, {}, true, false}; }
};

// A folder to be read beside the window's thread (Services::StartReading).
struct FolderReading {
    std::uint64_t ticket;  // which reading its reports belong to
    std::string folder;
    std::string patterns;
    int progressEveryMs;   // FolderProgress at most this often
};

// What a reading of a folder found.
struct FolderListing {
    NameList names;           // as ListFiles gives them
    bool holdsFiles = false;  // a visible ordinary file at all, matching or not
};

// A program asked for what it prints: started as a StartRequest says, with
// standard input closed and no window, and ended when it prints more than
// mostBytes or takes longer than mostMilliseconds.
struct Question {
    StartRequest request;
    std::size_t mostBytes;
    int mostMilliseconds;
};

// What the window hears later of the programs it asked to start. Reports
// arrive on the window's thread, from its event loop.
class ProgramReports {
public:
    virtual ~ProgramReports() = default;
    // A start that StartProgram left pending has come to its result.
    virtual void StartFinished(const StartRequest& request, const StartResult& result) = 0;
    // A program started and watched has ended, and with it every process it
    // started (a launcher's game, a script's program).
    virtual void ProgramEnded() = 0;
    // A reading under way has found this many names so far.
    virtual void FolderProgress(std::uint64_t ticket, std::size_t found) = 0;
    // A reading is done: what it found (with an error part-way, a share
    // that dropped, what was read before it).
    virtual void FolderRead(std::uint64_t ticket, FolderListing listing) = 0;
    // What an asked program printed; nothing when it could not be started,
    // exited other than with 0, or was ended for printing or taking too much.
    virtual void ProgramAnswered(std::optional<std::string> output) = 0;
};

class Services {
public:
    virtual ~Services() = default;

    // Platform facts.
    virtual char Separator() const = 0;         // "\" or "/"
    virtual bool ProgramsCarryExe() const = 0;  // Windows programs end in ".exe"

    // The running program.
    virtual std::string ExecutableFolder() = 0;
    virtual std::string CommandLine() = 0;  // all that followed the program's name

    // Per-user settings of "Tarvo", section "Settings"; nothing when the key
    // is missing. Never written.
    virtual std::optional<std::string> ReadSetting(const std::string& key) = 0;
    // A settings file as it is: nothing when it is missing, larger than
    // kMostSettingsBytes, or no ordinary file (a folder, a FIFO, a device).
    virtual std::optional<std::string> ReadSettingsFile(const std::string& path) = 0;

    // One pass over a folder: the names of its visible ordinary files that
    // match the patterns, appended in the order the system lists them.
    // Hidden: Windows' hidden or system attribute, or a Linux dot-name. A
    // link counts as what it points to. False when the folder cannot be
    // listed; an error part-way ends the pass with the names read so far.
    virtual bool ListFiles(const std::string& folder, const WildcardSet& patterns, NameList& names) = 0;
    // The same beside the window's thread (ProgramReports::FolderProgress
    // and FolderRead tell): a folder on a slow share never holds the
    // window, and a reading under way when Tarvo ends is left to itself.
    virtual void StartReading(const FolderReading& reading) = 0;
    // Length of an ordinary file; nothing for a folder, a missing or an
    // unreadable file.
    virtual std::optional<std::uint64_t> FileLength(const std::string& path) = 0;
    // An ordinary file this user may run.
    virtual bool IsExecutableFile(const std::string& path) = 0;
    // A folder that is there (a link to one counts).
    virtual bool FolderExists(const std::string& path) = 0;

    // Whether another Tarvo was running when this one started. A Tarvo is
    // findable from its first moment, its start-up message included.
    virtual bool PreviousInstanceRunning() = 0;
    // Restore and bring to the front the other instance's window, when its
    // caption is exactly this text.
    virtual void ActivatePreviousInstance(const std::string& caption) = 0;

    // A steady clock in milliseconds: only differences count.
    virtual std::int64_t Now() = 0;

    // Starts a program without waiting for it, its window shown normally,
    // and watches it and all it starts (without polling) to report their
    // end. Where the start
    // has to wait for something first, it is left pending and its result
    // reported later; the window is never held up.
    virtual StartResult StartProgram(const StartRequest& request) = 0;
    // Asks a program, beside the window's thread (ProgramReports::
    // ProgramAnswered tells); a program still asked when Tarvo ends is ended.
    // A Windows program is asked as StartProgram would start it.
    virtual void AskProgram(const Question& question) = 0;
    // Where later reports go; nullptr: nowhere any more.
    virtual void ReportTo(ProgramReports* reports) = 0;
};

}  // namespace tarvo
