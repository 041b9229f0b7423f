#pragma once
// An arcade emulator's sets (launch mode 1: a file's set is the parameter):
// their titles and what MAME tells of each machine, asked once the window
// is up, and which listed files are no games to show.

#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "launch/program_runs.h"
#include "text/machine_list.h"
#include "text/set_titles.h"
#include "ui/file_list.h"

namespace tarvo {

class ArcadeSets {
public:
    // What MAME tells of so many sets named comes as fast as of all (4.6 s
    // against 5.9 s for 10,000 and 2.4 s for 2,000, MAME 0.251): more are
    // asked as all.
    static constexpr std::size_t kMostSetsByName = 4000;
    // A Windows command line holds 32,767 characters: sets go in batches.
    static constexpr std::size_t kMostQuestionChars = 30000;
    // What an emulator may take to tell its titles (MAME prints 45,000 in
    // about 2.5 MB within a second), and its machines (MAME 0.251: 269 MB
    // for all, read as it comes).
    static constexpr std::size_t kMostTitleBytes = 16u << 20;
    static constexpr int kMostTitleMs = 20000;
    static constexpr std::size_t kMostMachineBytes = std::size_t{1} << 30;
    static constexpr int kMostMachineMs = 60000;

    // Arcade sets are the parameter; tellsTitles: the emulator can be asked
    // (MAME), else the table of MAME's non-games says.
    ArcadeSets(bool arcade, bool tellsTitles);
    // The "hide" setting, once the emulator's section is known.
    void SetHidden(std::string_view hide) { hidden_ = HiddenSets(hide); }
    bool TellsTitles() const { return tellsTitles_; }

    // A file's set's title; empty when none is told.
    std::string_view TitleOf(std::string_view fileName) const;
    bool HasTitles() const { return !titles_.empty(); }
    // MAME's -listfull; true when it gave titles.
    bool TakeTitles(const std::optional<std::string>& output);
    void TakeMachines(std::shared_ptr<const MachineList> machines);
    // What MAME told of a file's set; nullptr when it has not told.
    const MachineTraits* TraitsOf(std::string_view fileName) const;
    // Whether File1 leaves a file out: a set MAME or the table calls no
    // game, and a name beginning with "-", which would be an option.
    bool Hides(std::string_view fileName) const;
    // Whether Hides can leave out any file at all yet.
    bool HidesAny() const { return arcade_; }

    // -listfull, as the emulator is asked for its titles.
    Question TitlesQuestion(const StartRequest& asked) const;
    // -listxml for the listed sets not asked for yet, as many as a command
    // line holds each; all MAME knows once the folder holds many.
    std::vector<std::pair<Question, MachineList::Wanted>> MachineQuestions(const FileList& files,
                                                                          const StartRequest& asked);

private:
    bool arcade_, tellsTitles_, knowsNoMachines_;
    HiddenSets hidden_;
    SetTitles titles_;
    std::vector<std::shared_ptr<const MachineList>> machines_;  // each answer of MAME's
    std::set<std::string> askedSets_;  // of MAME, or asked for now
    bool askedAll_ = false;            // every machine MAME knows
};

}  // namespace tarvo
