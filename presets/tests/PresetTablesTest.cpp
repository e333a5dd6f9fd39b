// Invariants of the preset tables that catch a slip in transcribing them.
#include "PresetEntry.h"

#include "FakeWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace kestrova {
namespace {

struct Counts {
    int submenu = 0, timed = 0, plain = 0;
    int depth = 0;
    int endsInBlank = 0;
};

void walk(const std::vector<PresetEntry>& entries, int level,
          const std::function<void(const PresetEntry&, int)>& visit)
{
    for (const PresetEntry& e : entries) {
        visit(e, level);
        walk(e.Children, level + 1, visit);
    }
}

Counts count(const PresetEntry& root)
{
    Counts c;
    walk(root.Children, 1, [&](const PresetEntry& e, int level) {
        c.depth = std::max(c.depth, level);
        if (e.isSubmenu())
            ++c.submenu;
        else if (e.isTimed())
            ++c.timed;
        else
            ++c.plain;
        if (!e.Caption.empty() && e.Caption.back() == ' ')
            ++c.endsInBlank;
    });
    return c;
}

const PresetEntry& raid(int index)
{
    return RaidCatalogue().at(static_cast<std::size_t>(index));
}

TEST(RaidCatalogue, EachTreeHoldsItsEntriesByKindAndIsAtMostThreeDeep)
{
    ASSERT_EQ(RaidCatalogue().size(), 2u);
    EXPECT_EQ(raid(0).Name, "NRaid5");
    EXPECT_EQ(raid(0).Caption, "Raid T5");
    EXPECT_EQ(raid(1).Name, "NRaid6");
    EXPECT_EQ(raid(1).Caption, "Raid T6");
    EXPECT_EQ(RaidT5Rows().size(), 30u);
    EXPECT_EQ(RaidT6Rows().size(), 75u);

    const Counts t5 = count(raid(0));
    EXPECT_EQ(t5.submenu, 12);
    EXPECT_EQ(t5.timed, 5);
    EXPECT_EQ(t5.plain, 13);
    EXPECT_EQ(t5.depth, 3);
    const Counts t6 = count(raid(1));
    EXPECT_EQ(t6.submenu, 26);
    EXPECT_EQ(t6.timed, 28);
    EXPECT_EQ(t6.plain, 21);
    EXPECT_EQ(t6.depth, 3);
    EXPECT_EQ(t5.endsInBlank + t6.endsInBlank, 25);
}

TEST(RaidCatalogue, TimedEntriesAreAbilitiesWhoseCaptionCarriesTheirSeconds)
{
    std::map<int, int> perValue;
    const std::regex seconds(R"(^.+ <[A-Za-z]+>  ?([0-9]+) sec ?$)");
    for (const PresetEntry& root : RaidCatalogue()) {
        walk(root.Children, 1, [&](const PresetEntry& e, int level) {
            std::smatch m;
            const bool hasNumber = std::regex_match(e.Caption, m, seconds);
            if (e.isTimed()) {
                EXPECT_EQ(level, 3) << e.Name;
                ASSERT_TRUE(hasNumber) << e.Caption;
                EXPECT_EQ(std::stoi(m[1]), *e.Seconds) << e.Name;
                ++perValue[*e.Seconds];
            } else {
                EXPECT_FALSE(hasNumber) << e.Name << " has a time but no seconds";
                EXPECT_FALSE(e.Seconds.has_value()) << e.Name;
            }
            if (e.isSubmenu()) {
                EXPECT_LE(level, 2) << e.Name;
            }
        });
    }
    const std::map<int, int> expected{{22, 2}, {27, 9}, {30, 7}, {40, 1}, {45, 2}, {47, 2},
                                      {48, 1}, {50, 5}, {58, 1}, {60, 2}, {70, 1}};
    EXPECT_EQ(perValue, expected);
}

TEST(RaidCatalogue, IdentifiersAreUniqueAcrossTheWholeMenu)
{
    std::set<std::string> names{"Start1", "Close1", "N1", "NRaidPre", "N3", "NRaid5", "NRaid6"};
    auto add = [&](const PresetEntry& e, int) {
        EXPECT_TRUE(names.insert(e.Name).second) << "duplicate " << e.Name;
    };
    walk(PresetLengths().Children, 1, add);
    for (const PresetEntry& root : RaidCatalogue())
        walk(root.Children, 1, add);
    EXPECT_EQ(names.size(), 7u + 6u + 30u + 75u);
}

TEST(RaidCatalogue, CaptionsAreKeptByteForByte)
{
    std::map<std::string, std::string> byName;
    std::map<std::string, std::string> parentOf;
    for (const PresetEntry& root : RaidCatalogue()) {
        std::function<void(const PresetEntry&)> into = [&](const PresetEntry& e) {
            for (const PresetEntry& c : e.Children) {
                byName[c.Name] = c.Caption;
                parentOf[c.Name] = e.Name;
                into(c);
            }
        };
        into(root);
    }
    // The odd ones: blanks kept, the double blank, grave accent against
    // apostrophe, names that do not read like their captions.
    const std::vector<std::pair<std::string, std::string>> cases{
        {"GrowlsandresetsaggroReset601", "Growls and resets aggro <Reset>  60 sec"},
        {"KDaltheDeceiver1", "K`Dal the Deceiver"},
        {"CommuneofKDal1", "Commune of K'Dal (LS)"},
        {"heGatesofAhketAken1", "The Gates of Ahket Aken "},
        {"SoulBurnHeat1", "Soul Burn <Heat> 30 sec "},
        {"SoulBurnHeat30sec1", "Soul Burn <Heat> 30 sec"},
        {"WaveofDestructionPoison1", "Wave of Destruction <Poison> 40 sec "},
        {"DrayeksChamber1", "Icebound (PF)"},
        {"ZekTheDesertedMine1", "The Deserted Mine (Zek)"},
        {"AoE1Heat22sec2", "AoE2 <Heat> 22 sec"},
        {"BloodthirstyRamageCold1", "Bloodthirsty Ramage <Crush> 30 sec"},
        {"remblartheBehemoth1", "Tremblar the Behemoth "},
        {"PoetsPalaceReturn1", "Poet's Palace: Return "},
        {"AkhUzhOrus1", "Akh-Uzh Orus"},
    };
    for (const auto& [name, caption] : cases)
        EXPECT_EQ(byName[name], caption) << name;
    // The Overview's typical run reaches its ability through these menus.
    EXPECT_EQ(parentOf["AuraofSilenceMental47sec1"], "Dinree1");
    EXPECT_EQ(parentOf["Dinree1"], "heGatesofAhketAken1");
    EXPECT_EQ(parentOf["heGatesofAhketAken1"], "NRaid6");
    // Every caption is printable ASCII and none begins with a blank.
    int apostrophes = 0;
    for (const auto& [name, caption] : byName) {
        ASSERT_FALSE(caption.empty()) << name;
        EXPECT_NE(caption.front(), ' ') << name;
        for (const char ch : caption)
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << name;
        apostrophes += caption.find('\'') != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(apostrophes, 6);
}

TEST(PresetLengths, SixLengthsFromFifteenToNinety)
{
    const PresetEntry& pre = PresetLengths();
    EXPECT_EQ(pre.Name, "NRaidPre");
    EXPECT_EQ(pre.Caption, "Preset");
    ASSERT_EQ(pre.Children.size(), 6u);
    const char* names[] = {"N101", "N201", "N301", "N401", "N501", "N601"};
    for (std::size_t i = 0; i < 6; ++i) {
        const PresetEntry& e = pre.Children[i];
        const int seconds = 15 * static_cast<int>(i + 1);
        EXPECT_EQ(e.Name, names[i]);
        EXPECT_EQ(e.Caption, std::to_string(seconds) + " sec");
        EXPECT_EQ(e.Seconds, seconds);
        EXPECT_TRUE(e.isTimed());
    }
}

TEST(BuildPresetTree, NestsRowsUnderTheNearestShallowerRowAndRefusesSkippedLevels)
{
    const PresetRow rows[] = {{1, "a", "A", 0}, {2, "b", "B", 5}, {2, "c", "C", 0},
                              {3, "d", "D", 7}, {1, "e", "E", 0}};
    const auto tree = BuildPresetTree(rows);
    ASSERT_EQ(tree.size(), 2u);
    ASSERT_EQ(tree[0].Children.size(), 2u);
    EXPECT_EQ(tree[0].Children[1].Children.at(0).Name, "d");
    EXPECT_EQ(tree[0].Children[1].Children.at(0).Seconds, 7);
    EXPECT_TRUE(tree[1].Children.empty());
    EXPECT_FALSE(tree[1].isTimed());

    const PresetRow skipping[] = {{1, "a", "A", 0}, {3, "b", "B", 5}};
    EXPECT_THROW(BuildPresetTree(skipping), std::logic_error);
}

TEST(ApplyPreset, WritesTheDecimalTextOnceAndOnlyWhenItDiffers)
{
    testing::Rig rig;
    ApplyPreset(rig.window, 75);
    EXPECT_EQ(rig.window.field, "75");
    EXPECT_EQ(rig.window.label, "75");
    EXPECT_EQ(rig.window.bar.percentDone(), 100);
    EXPECT_EQ(rig.window.changeNotifications, 1);

    ApplyPreset(rig.window, 75);
    EXPECT_EQ(rig.window.changeNotifications, 1);
    EXPECT_FALSE(rig.engine.state().Running);
}

} // namespace
} // namespace kestrova
