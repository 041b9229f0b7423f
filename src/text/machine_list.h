#pragma once
// What MAME tells of its sets for -listxml, read as it arrives: the list is
// some 270 MB, so it is never held, and a piece may end anywhere, within a
// tag, a value or an entity. Of each machine (an older MAME writes <game>)
// only what decides whether the set is a game is kept:
//     <mame build="0.251 (unknown)" debug="no" mameconfig="10">
//         <machine name="pacman" sourcefile="pacman/pacman.cpp" cloneof="puckman" romof="puckman">
//             ... <driver status="good" emulation="good" savestate="supported"/>
//         </machine>
//     </mame>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace tarvo {

enum class DriverStatus { Unknown, Good, Imperfect, Preliminary };

struct MachineTraits {
    bool bios = false, device = false, mechanical = false, runnable = true;
    std::string parent;  // the set it is a clone of; empty for a parent
    DriverStatus status = DriverStatus::Unknown;
};

// A set that is no game: a BIOS set, a device, or what cannot run. The table
// for the emulators Tarvo cannot ask (scripts/make-arcade-non-games) holds
// those of them that have ROM files, by the same rule.
bool IsNoGame(const MachineTraits& machine);

// Which sets are not shown: those that are no games, always; with the setting "hide" (a list such as "clones,mechanical,
// notworking"), clones, mechanical sets and sets whose driver is
// preliminary too.
class HiddenSets {
public:
    explicit HiddenSets(std::string_view setting = {});
    bool Hides(const MachineTraits& machine) const;

private:
    bool clones_ = false, mechanical_ = false, notWorking_ = false;
};

class MachineList {
public:
    // Sets by lower-cased name; only these are kept, however many the
    // answer tells (all MAME knows, when all were asked for).
    using Wanted = std::shared_ptr<const std::unordered_set<std::string>>;
    explicit MachineList(Wanted wanted = nullptr) : wanted_(std::move(wanted)) {}

    // The next piece of the answer, wherever it was cut. The answer is
    // refused, and every machine forgotten, when it is not MAME's: text or
    // another element where <mame> belongs, markup no XML has, an undefined
    // entity, machines within machines, or a <mame>, <machine> or <driver>
    // tag longer than kLongestTag.
    void Feed(std::string_view text);

    // The end of <mame> has been read. A cut answer is not complete; the
    // machines whose end it reached are known all the same.
    bool Complete() const { return place_ == Place::AfterRoot; }

    // A machine's traits by its set name, letter case ignored; nullptr for
    // one not told.
    const MachineTraits* Find(std::string_view set) const;
    std::size_t size() const { return machines_.size(); }

    static constexpr std::size_t kLongestTag = 4096;  // MAME 0.251's longest is 137 bytes

private:
    enum class Place { BeforeRoot, InRoot, InMachine, AfterRoot, Refused };
    enum class State {
        Text, Open, StartName, EndName, EndTag, Attributes, SkipTag, Bang, Comment, CData, Pi, Declaration, Subset
    };
    enum class Element { Root, Machine, Driver, Other };
    // The elements that matter, by name (MAME before 0.162 wrote <game>); any other is passed over.
    static constexpr std::pair<std::string_view, Element> kElements[] = {
        {"mame", Element::Root}, {"machine", Element::Machine}, {"game", Element::Machine}, {"driver", Element::Driver}};
    static Element ElementNamed(std::string_view name);
    // Whether what follows a "<" surely begins an element that doesn't matter; when in doubt, no.
    static bool BeginsOtherElement(std::string_view text);

    const char* ReadText(const char* p, const char* end);
    const char* ReadOpen(const char* p);
    const char* ReadName(const char* p, const char* end);
    const char* ReadAttributes(const char* p, const char* end);
    const char* SkipTag(const char* p, const char* end);
    const char* ReadEndTag(const char* p, const char* end);
    const char* ReadBang(const char* p);
    // Past "-->", "]]>" or "?>": `needed` of `repeated`, then ">".
    const char* SkipPast(const char* p, const char* end, char repeated, int needed);
    const char* SkipDeclaration(const char* p, const char* end);
    const char* SkipSubset(const char* p, const char* end);
    void StartTagRead();
    void EndElement();
    void Refuse();

    Wanted wanted_;  // none: all
    std::unordered_map<std::string, MachineTraits> machines_;  // by lower-cased name
    std::string currentName_;
    MachineTraits current_;
    Place place_ = Place::BeforeRoot;
    State state_ = State::Text;
    Element element_ = Element::Other;
    std::string name_;    // of the element being read, its first bytes
    std::string tag_;     // of a tag that matters: what follows its name
    std::string bang_;    // what follows "<!", until it tells a comment, CDATA or a declaration
    char quote_ = 0;      // the quote a value opened, 0 outside values
    int repeats_ = 0;     // of the "-" of "-->", the "]" of "]]>", the "?" of "?>"
    bool inSubset_ = false;  // within the [ ... ] of <!DOCTYPE
};

}  // namespace tarvo
