#pragma once
// Folders read beside the window's thread, each on a thread of its own
// that nothing ever waits for (a share may take seconds, or hang): its
// news goes into a box, and wake asks the window's thread to hand it on
// (Deliver). A reading outlived by its owner finishes on its own, unheard.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "os/services.h"

namespace tarvo {

class FolderReadings {
public:
    // The platform's listing, reporting each name found, and whether the
    // folder holds files.
    using List = std::function<bool(const std::string& folder, const WildcardSet& patterns, NameList& names,
                                    const std::function<void(std::size_t found)>& found, bool* holdsFiles)>;
    // wake runs on a reading's thread and must only post to the window's.
    FolderReadings(List list, std::function<void()> wake) : shared_(std::make_shared<Shared>()) {
        shared_->list = std::move(list);
        shared_->wake = std::move(wake);
    }
    ~FolderReadings() {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->open = false;
        shared_->news.clear();
    }
    FolderReadings(const FolderReadings&) = delete;
    FolderReadings& operator=(const FolderReadings&) = delete;

    void Start(const FolderReading& reading) {
        std::thread([shared = shared_, reading] {
            const auto every = std::chrono::milliseconds(reading.progressEveryMs);
            auto last = std::chrono::steady_clock::now();
            FolderListing listing;
            const auto found = [&](std::size_t count) {
                if (count % 256 != 0) return;  // the clock, now and then
                const auto now = std::chrono::steady_clock::now();
                if (now - last < every) return;
                last = now;
                Send(*shared, {reading.ticket, count, std::nullopt});
            };
            if (!shared->list(reading.folder, WildcardSet(reading.patterns), listing.names, found, &listing.holdsFiles)) {
                listing = {};
            }
            Send(*shared, {reading.ticket, listing.names.size(), std::move(listing)});
        }).detach();
    }

    // On the window's thread, after wake: the news, in the order it came.
    void Deliver(ProgramReports* reports) {
        std::vector<News> news;
        {
            const std::lock_guard<std::mutex> lock(shared_->mutex);
            news.swap(shared_->news);
        }
        for (News& item : news) {
            if (!reports) continue;
            if (item.listing) {
                reports->FolderRead(item.ticket, std::move(*item.listing));
            } else {
                reports->FolderProgress(item.ticket, item.found);
            }
        }
    }

private:
    struct News {
        std::uint64_t ticket;
        std::size_t found;
        std::optional<FolderListing> listing;  // none: still reading
    };
    struct Shared {
        std::mutex mutex;
        List list;
        std::function<void()> wake;
        std::vector<News> news;
        bool open = true;
    };

    static void Send(Shared& shared, News news) {
        const std::lock_guard<std::mutex> lock(shared.mutex);
        if (!shared.open) return;
        shared.news.push_back(std::move(news));
        if (shared.news.size() == 1) shared.wake();  // under the lock: the owner cannot go meanwhile
    }

    std::shared_ptr<Shared> shared_;
};

}  // namespace tarvo
