#include "os/folder_reader.h"

#include <memory>

#include "text/disc_sheets.h"

namespace tarvo {

void KeepOneRowPerGame(NameList& names, const FolderReading& reading, Files& files, const Cancellable& cancel) {
    LeaveOutNonGames(names, [&](std::string_view sheet) -> std::optional<std::string> {
        if (cancel.Cancelled()) return std::nullopt;
        return files.ReadFile(reading.folder + std::string(sheet), kMostSheetBytes);
    });
}

std::shared_ptr<const GameList> FirstGameList(const FolderReading& reading, Files& files, const Cancellable& cancel) {
    for (const std::string& path : reading.gameLists) {
        if (cancel.Cancelled()) return nullptr;
        const std::optional<std::string> text = files.ReadFile(path, kMostGameListBytes);
        if (std::optional<GameList> games = text ? GameList::Parse(*text, reading.folder) : std::nullopt) {
            return std::make_shared<const GameList>(std::move(*games));
        }
    }
    return nullptr;
}

void FolderReaderBeside::Read(const FolderReading& reading) {
    worker_.Run([&files = files_, &clock = clock_, &listener = listener_, reading](Worker::Job& job) {
        std::int64_t last = clock.Now();
        std::size_t told = 0;
        const auto goOn = [&](std::size_t found) {
            if (job.Cancelled()) return false;
            if (found == told || found % 256 != 0) return true;  // the clock, now and then
            const std::int64_t now = clock.Now();
            if (now - last < reading.progressEveryMs) return true;
            last = now;
            told = found;
            job.Post([&listener, ticket = reading.ticket, found] { listener.FolderProgress(ticket, found); });
            return true;
        };
        auto listing = std::make_shared<FolderListing>();
        if (!files.ListFiles(reading.folder, WildcardSet(reading.patterns), listing->names, goOn, &listing->holdsFiles)) {
            *listing = {};
        }
        KeepOneRowPerGame(listing->names, reading, files, job);
        job.Post([&listener, ticket = reading.ticket, listing] { listener.FolderRead(ticket, std::move(*listing)); });
        // The names players gave the games, once the list is up.
        if (std::shared_ptr<const GameList> games = FirstGameList(reading, files, job); games && !job.Cancelled()) {
            job.Post([&listener, ticket = reading.ticket, games] { listener.GameListRead(ticket, games); });
        }
    }, true);
}

}  // namespace tarvo
