#include "os/folder_reader.h"

#include <chrono>
#include <memory>

#include "text/disc_sheets.h"

namespace tarvo {

void FolderReaderBeside::Read(const FolderReading& reading) {
    worker_.Run([&files = files_, &listener = listener_, reading](Worker::Job& job) {
        const auto every = std::chrono::milliseconds(reading.progressEveryMs);
        auto last = std::chrono::steady_clock::now();
        std::size_t told = 0;
        const auto goOn = [&](std::size_t found) {
            if (job.Cancelled()) return false;
            if (found == told || found % 256 != 0) return true;  // the clock, now and then
            const auto now = std::chrono::steady_clock::now();
            if (now - last < every) return true;
            last = now;
            told = found;
            job.Post([&listener, ticket = reading.ticket, found] { listener.FolderProgress(ticket, found); });
            return true;
        };
        auto listing = std::make_shared<FolderListing>();
        if (!files.ListFiles(reading.folder, WildcardSet(reading.patterns), listing->names, goOn, &listing->holdsFiles)) {
            *listing = {};
        }
        // One row per game: the sheets are read as the folder was, beside the window's thread.
        LeaveOutNonGames(listing->names, [&](std::string_view sheet) -> std::optional<std::string> {
            if (job.Cancelled()) return std::nullopt;
            return files.ReadFile(reading.folder + std::string(sheet), kMostSheetBytes);
        });
        job.Post([&listener, ticket = reading.ticket, listing] { listener.FolderRead(ticket, std::move(*listing)); });
        // The names players gave the games, once the list is up.
        for (const std::string& path : reading.gameLists) {
            if (job.Cancelled()) return;
            const std::optional<std::string> text = files.ReadFile(path, kMostGameListBytes);
            std::optional<GameList> games = text ? GameList::Parse(*text, reading.folder) : std::nullopt;
            if (!games) continue;
            auto shared = std::make_shared<const GameList>(std::move(*games));
            job.Post([&listener, ticket = reading.ticket, shared] { listener.GameListRead(ticket, shared); });
            return;
        }
    }, true);
}

}  // namespace tarvo
