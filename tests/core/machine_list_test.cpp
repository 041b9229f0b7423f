// What MAME tells of its machines for -listxml, read piece by piece, and
// the sets of the emulators that cannot be asked.

#include <gtest/gtest.h>

#include "app/arcade_non_games.h"
#include "text/machine_list.h"

namespace tarvo {
namespace {

const std::string kDoctype = R"xml(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (machine+)>
	<!ATTLIST mame build CDATA #IMPLIED>
	<!-- a comment's ' and ] and > -->
	<!ATTLIST machine isbios (yes|no) "no">
	<!ATTLIST rom status (baddump|nodump|good) 'good'>
	<!ATTLIST chip name CDATA "> ]">
]>

)xml";

// MAME 0.251, abridged.
const std::string kMachines = kDoctype + R"xml(<mame build="0.251 (unknown)" debug="no" mameconfig="10">
	<machine name="neogeo" sourcefile="neogeo/neogeo.cpp" isbios="yes">
		<description>Neo-Geo MV-6F</description>
		<biosset name="euro" description="Europe MVS (Ver. 2)"/>
		<rom name="sp-s2.sp1" bios="euro" size="131072" crc="9036d879" region="mainbios" offset="0"/>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="pacman" sourcefile="pacman/pacman.cpp" cloneof="puckman" romof="puckman">
		<description>Pac-Man (Midway)</description>
		<driver status="good" emulation="good" savestate="supported"/>
	</machine>
	<machine name="godzillp_090" sourcefile="pinball/whitestar.cpp" ismechanical="yes" cloneof="godzillp" romof="godzillp" sampleof="genpin">
		<driver status="preliminary" emulation="preliminary" savestate="unsupported" requiresartwork="yes"/>
	</machine>
	<machine name="qsound" sourcefile="devices/sound/qsound.cpp" isdevice="yes" runnable="no">
		<rom name="dl-1425.bin" size="24576" crc="d6cf5ef5" region="dsp" offset="0"/>
		<chip type="cpu" tag=":dsp" name="WE|AT&amp;T DSP16A" clock="0"/>
	</machine>
</mame>
)xml";

// MAME 0.161 and older: <game>.
const std::string kGames = R"xml(<?xml version="1.0"?>
<!DOCTYPE mame [
<!ELEMENT mame (game+)>
	<!ATTLIST game isbios (yes|no) "no">
]>

<mame build="0.161 (Jun 24 2015)" debug="no" mameconfig="10">
	<game name="neogeo" sourcefile="neogeo.c" isbios="yes">
		<driver status="good" emulation="good" color="good" sound="good" graphic="good" savestate="supported" palettesize="4096"/>
	</game>
	<game name="pacman" sourcefile="pacman.c" cloneof="puckman" romof="puckman">
		<driver status="imperfect" emulation="good" color="good" sound="imperfect" graphic="good" savestate="supported" palettesize="512"/>
	</game>
	<game name="ym2608" sourcefile="src/emu/sound/2608intf.c" isdevice="yes" runnable="no">
		<rom name="ym2608_adpcm_rom.bin" size="8192" crc="23c9e0d8" region="ym2608" offset="0"/>
	</game>
</mame>
)xml";

// What XML allows and MAME does not write.
const std::string kOddities = R"xml(<mame><!-- -> <machine name="ghost"/> -->
<![CDATA[> <machine name="ghost"/>]]><?pi > <machine name="ghost"/> ?>
<machines name="ghost"></machines><gamelist name="ghost"/><driver status="good"/>
<machine
	runnable='no' cloneof = "Parent"
	name='Mixed' note="1 > 0"><rom name="a>b"/><driver status='imperfect'/></machine>
<machine name="a&amp;b" isbios="no"></machine>
<machine name="c&#39;d&#x27;e&#xE9;&lt;&gt;&quot;&apos;"></machine>
<machine name="after"></machine>
</mame>)xml";

MachineList Read(std::string_view answer) {
    MachineList list;
    list.Feed(answer);
    return list;
}

// A machine as the tables write it: the traits it has beyond a game's,
// "<" its parent, then its driver status (?, Good, Imperfect, Preliminary).
std::string Told(const MachineList& list, std::string_view set) {
    const MachineTraits* m = list.Find(set);
    if (m == nullptr) return "-";
    std::string told = std::string(m->bios ? "bios " : "") + (m->device ? "device " : "") +
                       (m->mechanical ? "mechanical " : "") + (m->runnable ? "" : "norun ");
    if (!m->parent.empty()) told += "<" + m->parent + " ";
    return told + "?GIP"[static_cast<int>(m->status)];
}

TEST(MachineList, EachMachineAsMameTellsIt) {
    struct Case { const std::string& answer; std::size_t machines; std::vector<std::pair<const char*, const char*>> told; };
    const Case cases[] = {
        {kMachines, 4, {{"neogeo", "bios G"}, {"PacMan", "<puckman G"}, {"godzillp_090", "mechanical <godzillp P"},
                        {"qsound", "device norun ?"}, {"puckman", "-"}}},
        {kGames, 3, {{"neogeo", "bios G"}, {"pacman", "<puckman I"}, {"ym2608", "device norun ?"}}},
        // Any order, either quote, blanks between; entities; no status carried over.
        {kOddities, 4, {{"mixed", "norun <Parent I"}, {"a&b", "?"}, {"c'd'eé<>\"'", "?"}, {"after", "?"}, {"ghost", "-"}}},
    };
    for (const Case& c : cases) {
        const MachineList list = Read(c.answer);
        EXPECT_TRUE(list.Complete());
        EXPECT_EQ(list.size(), c.machines);
        for (const auto& [set, told] : c.told) EXPECT_EQ(Told(list, set), told) << set;
    }
}

TEST(MachineList, OnlyTheSetsWantedAreKeptHoweverManyAreTold) {
    // All MAME knows, told when all were asked for: only the folder's sets stay.
    const auto wanted = std::make_shared<std::unordered_set<std::string>>(std::unordered_set<std::string>{"pacman", "qsound", "gone"});
    MachineList list(wanted);
    list.Feed(kMachines);
    EXPECT_TRUE(list.Complete() && list.size() == 2u);
    EXPECT_EQ(wanted.use_count(), 1) << "a whole answer still holds the sets asked for";
    EXPECT_EQ(Told(list, "PacMan") + ", " + Told(list, "qsound") + ", " + Told(list, "neogeo"), "<puckman G, device norun ?, -");
}

TEST(MachineList, CutAnywhereReadsTheSame) {
    const std::pair<const std::string&, std::vector<const char*>> answers[] = {
        {kMachines, {"neogeo", "pacman", "godzillp_090", "qsound"}},
        {kOddities, {"mixed", "a&b", "c'd'eé<>\"'", "after"}},
    };
    for (const auto& [answer, sets] : answers) {
        const std::size_t end = answer.find("</mame>") + 7;
        for (std::size_t cut = 0; cut <= answer.size(); ++cut) {
            MachineList whole, cutShort;
            whole.Feed(answer.substr(0, cut));
            whole.Feed(answer.substr(cut));
            cutShort.Feed(answer.substr(0, cut));
            EXPECT_EQ(whole.size(), sets.size()) << cut;
            for (const char* set : sets) EXPECT_EQ(Told(whole, set), Told(Read(answer), set)) << set << " cut at " << cut;
            // Cut short: the machines whose end came; complete only past </mame>.
            std::size_t ended = 0;
            for (std::size_t at = 0; (at = answer.find("</machine>", at)) != std::string::npos && at + 10 <= cut; ++at) ++ended;
            EXPECT_EQ(cutShort.size(), ended) << cut;
            EXPECT_EQ(cutShort.Complete(), cut >= end) << cut;
        }
    }
}

TEST(MachineList, OnlyMamesAnswerCounts) {
    const std::string before = "<mame><machine name=\"a\"></machine>", after = "</mame>";
    const auto tag = [](std::size_t length) {  // <machine ...> with `length` bytes after its name
        return "<machine name=\"b\" x=\"" + std::string(length - 14, 'x') + "\"></machine>";
    };
    struct Case { std::string answer; std::size_t machines; bool complete; };
    const Case cases[] = {
        {before + after + " <!-- --> \n", 1, true},
        {before + "<machine name=\"b\"/><machine isbios=\"yes\"></machine>" + after, 2, true},  // no name: no set
        {before + tag(MachineList::kLongestTag) + after, 2, true},
        {before + "<rom name=\"" + std::string(100000, 'r') + "\"/>" + after, 1, true},  // of no matter: not held
        // No list: not XML, a comment alone, another root, a second list, text after it.
        {"Unknown command option: -listxml\n", 0, false}, {std::string("\x7f" "ELF\x02\x01\x01") + '\0' + before, 0, false},
        {"<!-- no list -->", 0, false}, {"<gamelist>" + before.substr(6) + "</gamelist>", 0, false},
        {before + after + "<mame></mame>", 0, false}, {before + after + "\ntext", 0, false},
        // Machines within machines, an end never begun, a machine never ended, elements in the DOCTYPE.
        {before + "<machine name=\"b\"><machine name=\"c\"></machine></machine>" + after, 0, false},
        {before + "</machine>" + after, 0, false}, {before + "<machine name=\"b\">" + after, 0, false},
        {"<!DOCTYPE mame [" + before + after, 0, false},
        // Entities XML does not define, a "<" in a value.
        {before + "<machine name=\"&bogus;\"/>" + after, 0, false}, {before + "<machine name=\"&#0;\"/>" + after, 0, false},
        {before + "<machine name=\"&#x110000;\"/>" + after, 0, false}, {before + "<machine name=\"&amp\"/>" + after, 0, false},
        {before + "<machine name=\"a<b\"/>" + after, 0, false},
        // Tags of no XML; a tag past the cap.
        {before + "<machine name=\"b\"isbios=\"yes\"/>" + after, 0, false}, {before + "<machine name=b/>" + after, 0, false},
        {before + "<machine name/>" + after, 0, false}, {before + "< machine/>" + after, 0, false},
        {before + "</ >" + after, 0, false}, {"<mame><machine name=\"a\"></machine x>" + after, 0, false},
        {before + tag(MachineList::kLongestTag + 1) + after, 0, false},
    };
    for (const Case& c : cases) {
        const MachineList list = Read(c.answer);
        EXPECT_EQ(list.size(), c.machines) << c.answer.substr(0, 80);
        EXPECT_EQ(list.Complete(), c.complete) << c.answer.substr(0, 80);
    }
    MachineList refused = Read("garbage");  // and stays so
    refused.Feed(kMachines);
    EXPECT_EQ(refused.size(), 0u);
}

TEST(ArcadeNonGames, BiosAndDeviceSetsOfMame0251) {
    const std::pair<const char*, bool> cases[] = {
        {"neogeo", true}, {"NeoGeo", true}, {"qsound", true}, {"ym2608", true}, {"pacman", false}, {"z80", false}, {"", false}};
    for (const auto& [set, nonGame] : cases) EXPECT_EQ(IsArcadeNonGame(set), nonGame) << set;
}

}  // namespace
}  // namespace tarvo
