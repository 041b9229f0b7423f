#pragma once
// Programs started and asked beside the window's thread: a start is
// checked first (is the ROM still there? the working folder?), then made,
// then watched; an answer is gathered within its limits. What came of each
// is told on the window's thread.

#include <memory>
#include <optional>
#include <string>

#include "os/clock.h"
#include "os/files.h"
#include "os/programs.h"
#include "os/worker.h"
#include "text/machine_list.h"

namespace tarvo {

class ProgramListener {
public:
    // A start has come to its result.
    virtual void StartFinished(const StartRequest& request, const StartResult& result) = 0;
    // A program started and watched has ended, and with it every process it
    // started (a launcher's game, a script's program): how, and how long
    // after its start (ms).
    virtual void ProgramEnded(const ProgramOutcome& outcome, std::int64_t lastedMs) = 0;
    // What an asked program printed; nothing when it could not be started,
    // exited other than with 0, or was ended for printing or taking too much.
    virtual void ProgramAnswered(std::optional<std::string> output) = 0;
    // What MAME told of its machines (-listxml); none when its answer was
    // not whole.
    virtual void MachinesAnswered(std::shared_ptr<const MachineList> machines) = 0;

protected:
    ~ProgramListener() = default;
};

class Programs {
public:
    virtual ~Programs() = default;
    virtual void Start(const StartRequest& request) = 0;
    // Ends the games started, politely or, forced, at once.
    virtual void EndGames(bool forced) = 0;
    virtual void Ask(const Question& question) = 0;
    // Asks MAME for -listxml, the answer read as it comes and never held;
    // beside the other questions.
    // Keeps of the answer only the sets wanted.
    virtual void AskMachines(const Question& question, MachineList::Wanted wanted) = 0;
};

// Why the program cannot start with its ROM, or empty: the ROM gone since
// the list was read, or Tarvo's own folder (the working folder) gone. Each
// look may wait on a share: between them it asks whether it is still wanted.
std::string WhyItCannotStart(const StartRequest& request, Files& files, char separator, const Cancellable& cancel);

// The parameters as the system takes them ("\\": one string; "/": one by
// one), the emulator's args filled in, paths named as pathsFor says; why
// they cannot be, or empty.
std::string FillInParameters(StartRequest& request, char separator,
                             const std::function<std::string(const std::string&)>& pathsFor);

class ProgramsBeside : public Programs {
public:
    // clock tells how long each game lasted, from its watch to its end.
    ProgramsBeside(Files& files, Launcher& launcher, Clock& clock, WindowThread& window, ProgramListener& listener,
                   char separator);
    ~ProgramsBeside() override;
    void Start(const StartRequest& request) override;
    void EndGames(bool forced) override { launcher_.EndAll(forced); }
    void Ask(const Question& question) override;
    void AskMachines(const Question& question, MachineList::Wanted wanted) override;

private:
    Files& files_;
    Launcher& launcher_;
    Clock& clock_;
    // The listener while this lives: a program's end may come after.
    std::shared_ptr<ProgramListener*> listener_;
    char separator_;
    Worker starts_, questions_, machines_;  // last: go first
};

}  // namespace tarvo
