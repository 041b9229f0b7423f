#include "app/arcade_sets.h"

#include <unordered_set>

#include "app/arcade_non_games.h"
#include "launch/launch.h"
#include "ui/display_name.h"

namespace tarvo {

ArcadeSets::ArcadeSets(bool arcade, bool tellsTitles)
    : arcade_(arcade), tellsTitles_(tellsTitles), knowsNoMachines_(arcade && !tellsTitles) {}

std::string_view ArcadeSets::TitleOf(std::string_view fileName) const {
    return titles_.empty() ? std::string_view() : titles_.Find(StripExtension(fileName));
}

bool ArcadeSets::TakeTitles(const std::optional<std::string>& output) {
    if (output) titles_ = SetTitles::FromListFull(*output);
    return !titles_.empty();
}

void ArcadeSets::TakeMachines(std::shared_ptr<const MachineList> machines) {
    if (machines) machines_.push_back(std::move(machines));
}

const MachineTraits* ArcadeSets::TraitsOf(std::string_view fileName) const {
    if (machines_.empty()) return nullptr;
    const std::string set = ArcadeSetOf(fileName);
    for (const auto& machines : machines_) {
        if (const MachineTraits* traits = machines->Find(set)) return traits;
    }
    return nullptr;
}

bool ArcadeSets::Hides(std::string_view fileName) const {
    if (!arcade_) return false;
    // A set's name is the emulator's parameter: one that begins with "-"
    // would be an option, and is no set it can have.
    if (fileName[0] == '-') return true;
    if (knowsNoMachines_) return IsArcadeNonGame(ArcadeSetOf(fileName));
    const MachineTraits* traits = TraitsOf(fileName);
    return traits && hidden_.Hides(*traits);
}

Question ArcadeSets::TitlesQuestion(const StartRequest& asked) const {
    StartRequest request = asked;
    request.parameters = "-listfull";
    return {request, kMostTitleBytes, kMostTitleMs};
}

std::vector<std::pair<Question, MachineList::Wanted>> ArcadeSets::MachineQuestions(const FileList& files,
                                                                                   const StartRequest& asked) {
    // Once all MAME knows was asked for, a new reading adds nothing to ask.
    if (!tellsTitles_ || askedAll_) return {};
    std::vector<std::string> sets;  // not asked for yet
    for (int i = 0; i < files.ListCount(); ++i) {
        std::string set = ArcadeSetOf(files.List(i));
        if (askedSets_.insert(set).second) sets.push_back(std::move(set));
    }
    if (sets.empty()) return {};
    // What the answer keeps: no more than the folder's sets, asked for now or before.
    auto listed = std::make_shared<std::unordered_set<std::string>>(askedSets_.begin(), askedSets_.end());
    if (askedSets_.size() > kMostSetsByName) {  // all there are
        sets.clear();
        askedSets_.clear();
        askedAll_ = true;
    }
    std::vector<std::pair<Question, MachineList::Wanted>> questions;
    std::size_t next = 0;
    do {
        StartRequest request = asked;
        request.parameters = "-listxml";
        request.arguments = {"-listxml"};
        for (; next < sets.size() && request.parameters.size() + sets[next].size() < kMostQuestionChars; ++next) {
            request.parameters += " " + sets[next];
            request.arguments.push_back(sets[next]);
        }
        questions.push_back({{request, kMostMachineBytes, kMostMachineMs}, listed});
    } while (next < sets.size());
    return questions;
}

}  // namespace tarvo
