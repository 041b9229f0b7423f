// The one way Tarvo waits, with real threads: work beside the window's
// thread, its news back on the window's thread (here the test's), nothing
// after its owner has gone; a folder that hangs read once at a time.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "app/frm_pindle.h"
#include "launch/program_runs.h"
#include "os/folder_reader.h"
#include "os/worker.h"
#include "ui/picture_reader.h"

namespace tarvo {
namespace {

using namespace std::chrono_literals;

// The window's thread is the test's: posted calls run when it pumps.
class TestWindowThread : public WindowThread {
public:
    void Post(std::function<void()> call) override {
        const std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(std::move(call));
        posted_.notify_all();
    }
    // Runs what is posted until done holds, at most a second.
    bool PumpUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 1s;
        while (!done()) {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!posted_.wait_until(lock, end, [&] { return !calls_.empty(); })) return done();
            auto call = std::move(calls_.front());
            calls_.pop_front();
            lock.unlock();
            call();
        }
        return true;
    }
    // Runs what is posted by now.
    void Drain() {
        std::unique_lock<std::mutex> lock(mutex_);
        std::deque<std::function<void()>> calls;
        calls.swap(calls_);
        lock.unlock();
        for (auto& call : calls) call();
    }

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> calls_;
};

// A clock that moves as the test says, and by step at each reading.
struct TestClock : Clock {
    std::atomic<std::int64_t> now{1000};
    std::int64_t step = 0;
    std::int64_t Now() override { return now.fetch_add(step); }
};

// A gate a job waits at until the test opens it (or a second passes).
struct Gate {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    std::atomic<int> waiting{0};
    void Wait() {
        std::unique_lock<std::mutex> lock(mutex);
        ++waiting;
        opened.wait_for(lock, 1s, [&] { return open; });
        --waiting;
    }
    void Open() {
        const std::lock_guard<std::mutex> lock(mutex);
        open = true;
        opened.notify_all();
    }
};

TEST(Worker, OneJobAtATimeTheNewestSupersedesAndNothingComesAfterItsOwner) {
    TestWindowThread window;
    Gate gate;
    std::vector<int> told;
    std::atomic<bool> sawCancel{false}, posted{false};
    const int abandoned = AbandonedThreads();
    {
        Worker worker(window);
        worker.Run([&](Worker::Job& job) {
            gate.Wait();
            sawCancel = job.Cancelled();
            job.Post([&] { told.push_back(1); });
        }, true);
        while (gate.waiting == 0) std::this_thread::yield();
        worker.Run([&](Worker::Job& job) { job.Post([&] { told.push_back(2); }); }, true);  // cancels the first
        worker.Run([&](Worker::Job& job) { job.Post([&] { told.push_back(3); }); }, false);  // after it
        gate.Open();
        ASSERT_TRUE(window.PumpUntil([&] { return told.size() == 2; }));
        EXPECT_EQ(told, (std::vector<int>{2, 3}));
        EXPECT_TRUE(sawCancel);
        worker.Run([&](Worker::Job& job) { job.Post([&] { told.push_back(4); }), posted = true; }, false);
        while (!posted) std::this_thread::yield();  // posted, not yet run: then the worker goes
    }
    window.Drain();
    EXPECT_EQ(told, (std::vector<int>{2, 3})) << "a call of a worker that has gone ran";
    EXPECT_EQ(AbandonedThreads(), abandoned);
}

TEST(WorkerDeathTest, NewsToldOnAnotherThreadThanTheWindowsEndsTarvo) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // A front end whose way back runs calls where they were posted: on the worker.
    struct WrongThread : WindowThread {
        void Post(std::function<void()> call) override { call(); }
    };
    EXPECT_DEATH(
        {
            WrongThread window;
            Worker worker(window);
            std::atomic<bool> done{false};
            worker.Run([&](Worker::Job& job) { job.Post([] {}), done = true; }, false);
            while (!done) std::this_thread::yield();
        },
        "thread other than the window's");
}

TEST(Worker, AThreadTheSystemHoldsIsWaitedForABoundedTimeThenAbandoned) {
    TestWindowThread window;
    auto held = std::make_shared<Gate>();
    const int abandoned = AbandonedThreads();
    const auto going = std::chrono::steady_clock::now();
    {
        Worker worker(window);
        worker.Run([held](Worker::Job&) { held->Wait(); }, false);  // a listing of a share that hangs
        while (held->waiting == 0) std::this_thread::yield();
    }
    const auto waited = std::chrono::steady_clock::now() - going;
    EXPECT_GE(waited, std::chrono::milliseconds(Worker::kMostWaitMs));
    EXPECT_LT(waited, std::chrono::milliseconds(Worker::kMostWaitMs + 400));
    EXPECT_EQ(AbandonedThreads(), abandoned + 1);
    held->Open();  // it lets go later, touching nothing of its worker's
    std::this_thread::sleep_for(50ms);
}

// A folder whose listing hangs until opened, counting the listings at once.
struct HangingFiles : Files {
    Gate gate;
    std::atomic<int> listing{0}, most{0}, listings{0};
    std::optional<std::uint64_t> FileLength(const std::string& path) override {
        return path.find("missing") == std::string::npos ? std::optional<std::uint64_t>(path.size()) : std::nullopt;
    }
    bool IsExecutableFile(const std::string&) override { return false; }
    bool FolderExists(const std::string& path) override { return path != "gone/"; }
    std::optional<std::string> ReadFile(const std::string&, std::uint64_t) override { return std::nullopt; }
    bool IsWindowsProgram(const std::string&) override { return false; }
    bool ListFiles(const std::string&, const WildcardSet&, NameList& names, const GoOn& goOn, bool* holdsFiles) override {
        most = std::max(most.load(), ++listing);
        ++listings;
        gate.Wait();
        for (std::size_t i = 1; i <= 3000 && goOn(i); ++i) names.Add("r" + std::to_string(i) + ".zip");
        *holdsFiles = true;
        --listing;
        return true;
    }
};

struct Readings : FolderListener {
    std::vector<std::uint64_t> read;
    std::vector<std::size_t> progress;
    void FolderProgress(std::uint64_t, std::size_t found) override { progress.push_back(found); }
    void FolderRead(std::uint64_t ticket, FolderListing listing) override {
        if (listing.names.size() == 3000) read.push_back(ticket);
    }
    void GameListRead(std::uint64_t, std::shared_ptr<const GameList>) override {}
};

TEST(FolderReader, AFolderThatHangsIsListedOnceAtATimeHoweverOftenItIsAsked) {
    TestWindowThread window;
    HangingFiles files;
    Readings readings;
    TestClock clock;
    FolderReaderBeside reader(files, clock, window, readings);
    for (std::uint64_t ticket = 1; ticket <= 40; ++ticket) reader.Read({ticket, "share", "*.zip", 250});  // F5 held
    while (files.gate.waiting == 0) std::this_thread::yield();
    files.gate.Open();
    ASSERT_TRUE(window.PumpUntil([&] { return !readings.read.empty(); }));
    EXPECT_EQ(readings.read, std::vector<std::uint64_t>{40});  // the newest alone is told
    EXPECT_EQ(files.most, 1);
    EXPECT_LE(files.listings, 2);  // the first, under way, and the newest
}

TEST(FolderReader, ProgressIsToldOnceTheIntervalHasPassedOnItsClock) {
    // The clock moves by step at each reading; the listing looks every 256 names.
    struct Case { std::int64_t step; std::vector<std::size_t> told; };
    const Case cases[] = {
        {0, {}},  // however many names, no news before the interval
        {249, {512, 1024, 1536, 2048, 2560}},  // counted from the last news told
        {250, {256, 512, 768, 1024, 1280, 1536, 1792, 2048, 2304, 2560, 2816}},
    };
    for (const Case& c : cases) {
        TestWindowThread window;
        HangingFiles files;
        files.gate.Open();
        TestClock clock;
        clock.step = c.step;
        Readings readings;
        FolderReaderBeside reader(files, clock, window, readings);
        reader.Read({1, "share", "*.zip", 250});
        ASSERT_TRUE(window.PumpUntil([&] { return !readings.read.empty(); })) << c.step;
        EXPECT_EQ(readings.progress, c.told) << c.step;
    }
}

struct Decoder : PictureDecoder {
    std::atomic<int> decoded{0};
    Gate* gate = nullptr;
    std::unique_ptr<Picture> Decode(const std::string& path, const PictureLimits&) override {
        ++decoded;
        if (gate) gate->Wait();
        return path.find("damaged") == std::string::npos ? std::make_unique<Picture>() : nullptr;
    }
};

struct Shown : PictureListener {
    std::vector<std::pair<std::uint64_t, int>> read;
    void PictureRead(std::uint64_t ticket, FoundPicture found) override { read.emplace_back(ticket, found.index); }
};

TEST(PictureReader, ANewerPictureCancelsTheOneUnderWayBetweenItsCandidates) {
    TestWindowThread window;
    HangingFiles files;
    Decoder decoder;
    Gate gate;
    decoder.gate = &gate;
    Shown shown;
    PictureReaderBeside reader(files, decoder, window, shown);
    reader.Read(1, [] { return std::vector<std::string>{"a.damaged.gif", "b.damaged.jpg", "c.png"}; }, {640, 480});
    while (gate.waiting == 0) std::this_thread::yield();
    reader.Read(2, [] { return std::vector<std::string>{"missing.gif", "x.damaged.jpg", "x.png", "logo.gif"}; }, {640, 480});
    gate.Open();
    ASSERT_TRUE(window.PumpUntil([&] { return !shown.read.empty(); }));
    EXPECT_EQ(shown.read, (std::vector<std::pair<std::uint64_t, int>>{{2, 2}}));
    EXPECT_EQ(decoder.decoded, 3);  // the first gave up after its first candidate
}

struct Started : ProgramListener {
    std::vector<std::string> told;
    int ended = 0;
    ProgramOutcome outcome;
    std::int64_t lastedMs = -1;
    void StartFinished(const StartRequest& request, const StartResult& result) override {
        told.push_back(request.parameters + (result.started ? " started" : ": " + result.error));
    }
    void ProgramEnded(const ProgramOutcome& how, std::int64_t lasted) override { ++ended, outcome = how, lastedMs = lasted; }
    void ProgramAnswered(std::optional<std::string> output) override { told.push_back(output.value_or("no answer")); }
    void MachinesAnswered(std::shared_ptr<const MachineList> machines) override {
        told.push_back(machines ? std::to_string(machines->size()) + " machines" : "no machines");
    }
};

struct Launches : Launcher {
    std::vector<std::function<void(const ProgramOutcome&)>> ends;
    TestClock* clock = nullptr;
    std::int64_t startingMs = 0;  // how long the system takes to make the program
    std::function<std::string(const std::string&)> PathsFor(const StartRequest&, const Cancellable&) override { return {}; }
    Launch Start(const StartRequest&, const Cancellable&) override {
        if (clock) clock->now += startingMs;
        return {StartResult::Started(true), std::make_unique<StartedProgram>()};
    }
    bool Watch(std::unique_ptr<StartedProgram>, std::function<void(const ProgramOutcome&)> ended) override {
        return ends.push_back(std::move(ended)), true;
    }
    void EndAll(bool) override {}
    bool Ask(const Question& question, const std::function<void(std::string_view)>& output, const Cancellable&) override {
        output("Name: ");
        output("Description:\n");
        return question.request.parameters == "-listfull";
    }
};

TEST(Programs, AStartIsCheckedBesideTheWindowThenMadeAndWatched) {
    TestWindowThread window;
    HangingFiles files;
    Launches launcher;
    Started listener;
    TestClock clock;
    auto programs = std::make_unique<ProgramsBeside>(files, launcher, clock, window, listener, '/');
    programs->Start({"/emu", "/roms/missing.nes", "/app/", "/roms/missing.nes"});
    programs->Start({"/emu", "/roms/a.nes", "gone/", "/roms/a.nes"});
    programs->Start({"/emu", "/roms/a.nes", "/app/", "/roms/a.nes"});
    programs->Ask({{"/emu", "-listfull", "/app/", ""}, 100, 1000});
    programs->Ask({{"/emu", "-fails", "/app/", ""}, 100, 1000});
    ASSERT_TRUE(window.PumpUntil([&] { return listener.told.size() == 5; }));
    std::sort(listener.told.begin(), listener.told.end());  // starts and questions go side by side
    EXPECT_EQ(listener.told, (std::vector<std::string>{
                                 "/roms/a.nes started", "/roms/a.nes: its working folder gone/ is gone",
                                 "/roms/missing.nes: the ROM missing.nes is gone; F5 reads the folder again",
                                 "Name: Description:\n", "no answer"}));
    ASSERT_EQ(launcher.ends.size(), 1u);
    launcher.ends[0]({2, 0, "missing"});
    EXPECT_EQ(listener.ended, 1);
    EXPECT_EQ(listener.outcome.lastLines, "missing");
    programs.reset();  // a game that ends after the window has gone is told to no one
    launcher.ends[0]({});
    EXPECT_EQ(listener.ended, 1);
}

TEST(Programs, AGameLastsFromItsWatchToItsEndToTheMillisecondOfTheClock) {
    // Either side of "ended at once": what the start took beside the window does not count.
    struct Case { std::int64_t startingMs, playedMs; };
    const Case cases[] = {{0, frmPindle::kAtOnceMs - 1}, {0, frmPindle::kAtOnceMs}, {5000, frmPindle::kAtOnceMs - 1}};
    for (const Case& c : cases) {
        TestWindowThread window;
        HangingFiles files;
        TestClock clock;
        Launches launcher;
        launcher.clock = &clock, launcher.startingMs = c.startingMs;
        Started listener;
        ProgramsBeside programs(files, launcher, clock, window, listener, '/');
        programs.Start({"/emu", "/roms/a.nes", "/app/", "/roms/a.nes"});
        ASSERT_TRUE(window.PumpUntil([&] { return !listener.told.empty(); }));
        ASSERT_EQ(launcher.ends.size(), 1u);
        clock.now += c.playedMs;
        launcher.ends[0]({2, 0, ""});
        EXPECT_EQ(listener.lastedMs, c.playedMs) << c.startingMs;
    }
}

}  // namespace
}  // namespace tarvo
