// The fixed lengths and the raid catalogue, one row per menu entry in
// display order. Captions are stored byte for byte as the menu shows them:
// trailing blanks, the double blank and the grave accent are intended.
#include "PresetEntry.h"

#include "CountdownView.h"

#include <array>
#include <stdexcept>
#include <string>

namespace kestrova {

namespace {

constexpr std::array<PresetRow, 6> kPresetLengths{{
    {1, "N101", "15 sec", 15},
    {1, "N201", "30 sec", 30},
    {1, "N301", "45 sec", 45},
    {1, "N401", "60 sec", 60},
    {1, "N501", "75 sec", 75},
    {1, "N601", "90 sec", 90},
}};

constexpr std::array<PresetRow, 30> kRaidT5{{
    {1, "SpiritsoftheLost1", "Spirits of the Lost (CT)", 0},
    {2, "Venekor1", "Venekor", 0},
    {3, "AcidicMistPoison70sec1", "Acidic Mist <Poison> 70 sec", 70},
    {1, "EpicAngler1", "Epic Angler (TS)", 0},
    {1, "MeetingoftheMinds1", "Meeting of the Minds (Feerrot)", 0},
    {1, "EchoesofTimeEpic1", "Echoes of Time (CL)", 0},
    {2, "KingZalaktheAncient1", "King Zalak the Ancient ", 0},
    {1, "ShatteredStillnessEpic1", "Shattered Stillness (FMG)", 0},
    {2, "ShakutotheLost1", "Shakuto the Lost ", 0},
    {2, "Makutothelost1", "Makuto the lost ", 0},
    {2, "ArchLichUdalan1", "Arch Lich Udalan ", 0},
    {1, "ZekTheDesertedMine1", "The Deserted Mine (Zek)", 0},
    {2, "remblartheBehemoth1", "Tremblar the Behemoth ", 0},
    {3, "WaveofDestructionPoison1", "Wave of Destruction <Poison> 40 sec ", 40},
    {2, "GreaterSymbiant1", "Greater Symbiant ", 0},
    {2, "SymbiantProtector1", "Symbiant Protector ", 0},
    {2, "SymbiantLord1", "Symbiant Lord ", 0},
    {1, "CommuneofKDal1", "Commune of K'Dal (LS)", 0},
    {2, "KDaltheDeceiver1", "K`Dal the Deceiver", 0},
    {1, "DrayeksChamber1", "Icebound (PF)", 0},
    {2, "KingDrayek1", "King Drayek", 0},
    {1, "ActsofWar1", "Acts of War (Paw)", 0},
    {1, "AnvilpawsGrotto1", "Anvilpaw's Grotto (Paw)", 0},
    {1, "heSpiritofVox1", "The Spirit of Vox (PF)", 0},
    {2, "heSpiritofVox2", "The Spirit of Vox", 0},
    {3, "ColdChillofDeathCold45sec1", "Cold Chill of Death <Cold> 45 sec", 45},
    {1, "DaratharsFlight1", "Darathar's Flight", 0},
    {2, "Darathar1", "Darathar", 0},
    {3, "AoE1Heat22sec1", "AoE1 <Heat> 22 sec", 22},
    {3, "AoE1Heat22sec2", "AoE2 <Heat> 22 sec", 22},}};

constexpr std::array<PresetRow, 75> kRaidT6{{
    {1, "LockjawtheAncient1", "Lockjaw the Ancient ", 0},
    {2, "Lockjaw1", "Lockjaw", 0},
    {3, "BloodthirstyRamageCold1", "Bloodthirsty Ramage <Crush> 30 sec", 30},
    {3, "GrowlsandresetsaggroReset601", "Growls and resets aggro <Reset>  60 sec", 60},
    {1, "heCourtofAlAfaz1", "The Court of Al'Afaz ", 0},
    {2, "heKeeperoftheCityKeys1", "The Keeper of the City Keys ", 0},
    {3, "ChillingMistCold45sec1", "Chilling Mist <Cold> 45 sec", 45},
    {3, "WindsoftheAncient1", "Winds of the Ancient <Cold> 30 sec", 30},
    {2, "hePrismaticCaptain1", "The Prismatic Captain", 0},
    {2, "BriusLakado1", "Brius Lakado", 0},
    {2, "heGreatGardener1", "The Great Gardener ", 0},
    {3, "VenemousCloud1", "Venemous Cloud <Poison> 50 sec", 50},
    {2, "WolanLakado1", "Wolan Lakado", 0},
    {2, "Moonchild1", "Moonchild", 0},
    {2, "hePurplePiper1", "The Purple Piper", 0},
    {2, "OrchestralMinion1", "Orchestral Minion", 0},
    {2, "MaestraofDissonance1", "Maestra of Dissonance", 0},
    {2, "Sunchild1", "Sunchild", 0},
    {3, "SoulBurnHeat1", "Soul Burn <Heat> 30 sec ", 30},
    {3, "EnthrallingFlamesHeat1", "Enthralling Flames <Heat> 30 sec ", 30},
    {3, "Resetsagro1", "Resets agro", 0},
    {2, "hePatternJuggler1", "The Pattern Juggler", 0},
    {2, "heFireWitch1", "The Fire Witch ", 0},
    {3, "EnthrallingFlamesHeat30sec1", "Enthralling Flames <Heat> 30 sec", 30},
    {3, "SoulBurnHeat30sec1", "Soul Burn <Heat> 30 sec", 30},
    {2, "heBlackQueen1", "The Black Queen ", 0},
    {3, "DarkVisageMagic30sec1", "Dark Visage <Magic> 30 sec", 30},
    {1, "heGatesofAhketAken1", "The Gates of Ahket Aken ", 0},
    {2, "slimescavengers1", "slime scavengers", 0},
    {2, "adarkleagueassassin1", "a darkleague assassin", 0},
    {3, "PainfullLessonCold27sec1", "Painfull Lesson <Cold> 27 sec", 27},
    {2, "adarkleaguefamiliar1", "a darkleague familiar ", 0},
    {3, "IncadescentBlazeHeat27sec1", "Incadescent Blaze <Heat> 27 sec", 27},
    {2, "LoremasterViswin1", "Loremaster Viswin", 0},
    {3, "SwirlingCloudofBloodPoison27sec1", "Swirling Cloud of Blood <Poison> 27 sec", 27},
    {2, "RitualMistressCheroon1", "Ritual Mistress Cheroon", 0},
    {3, "EnthrallingFlamesHeat27sec1", "Enthralling Flames <Heat> 27 sec", 27},
    {2, "avampiricacolyte1", "a vampiric acolyte", 0},
    {3, "DivineCallingDivine27sec1", "Divine Calling <Divine> 27 sec", 27},
    {2, "AsaadAhkAtum1", "Asaad Ahk Atum", 0},
    {3, "VenemousCloudPoison48sec1", "Venemous Cloud <Poison> 48 sec", 48},
    {2, "skeletalviperadds1", "skeletal viper adds ", 0},
    {2, "bloodlessgatekeeper1", "bloodless gatekeeper", 0},
    {2, "spectres1", "spectres", 0},
    {2, "ForemanYtalzak1", "Foreman Ytalzak", 0},
    {3, "StrikeofMassive1", "Strike of Massive <Crush> 27 sec", 27},
    {2, "MagricktheDestroyer1", "Magrick the Destroyer", 0},
    {3, "AuraofSilenceMental58sec1", "Aura of Silence <Mental> 58 sec", 58},
    {2, "AmenhopisAdofo1", "Amenhopis Adofo", 0},
    {3, "ChillingMistCold60sec1", "Chilling Mist <Cold> 60 sec", 60},
    {2, "AmenophisEliteGuard1", "Amenophis Elite Guard ", 0},
    {3, "EarieBlastCrush1", "Earie Blast <Crush>", 0},
    {2, "greaterskeletalviper1", "greater skeletal viper", 0},
    {3, "VenemousCloudPoison50sec1", "Venemous Cloud <Poison> 50 sec", 50},
    {2, "abloodlessbruiser1", "a bloodless bruiser", 0},
    {2, "heDarkArbiter1", "The Dark Arbiter", 0},
    {3, "BrutalBashCrush27sec1", "Brutal Bash <Crush> 27 sec", 27},
    {2, "Dinree1", "Dinree", 0},
    {3, "AuraofSilenceMental47sec1", "Aura of Silence <Mental> 47 sec", 47},
    {3, "ChillingmistCold1", "Chilling mist <Cold> 50 sec", 50},
    {3, "LightningStorm1", "Lightning Storm ", 0},
    {2, "GuardianoftheOrbs1", "Guardian of the Orbs", 0},
    {3, "Chillingmist1", "Chilling mist <Cold> 50 sec", 50},
    {3, "AuraofSilenceMental47sec2", "Aura of Silence <Mental> 47 sec", 47},
    {2, "Googhan1", "Googhan", 0},
    {3, "VenemousCloudPoison50sec2", "Venemous Cloud <Poison> 50 sec", 50},
    {2, "AkhUzhOrus1", "Akh-Uzh Orus", 0},
    {2, "MalkonisDMorte1", "Malkonis D'Morte", 0},
    {3, "SoulParalysisCold1", "Soul Paralysis <Cold>", 0},
    {2, "AkhMunRhoen1", "Akh-Mun Rhoen", 0},
    {3, "EnthrallingFlamesHeat27sec2", "Enthralling Flames <Heat> 27 sec", 27},
    {3, "OpXigalSlashing27sec1", "Op Xigal <Slashing> 27 sec", 27},
    {1, "PedestalofSky1", "Pedestal of Sky ", 0},
    {1, "PoetsPalaceReturn1", "Poet's Palace: Return ", 0},
    {1, "FountainofLife1", "Fountain of Life ", 0},}};

PresetEntry submenu(const char* name, const char* caption, std::span<const PresetRow> rows)
{
    return PresetEntry{name, caption, std::nullopt, BuildPresetTree(rows)};
}

} // namespace

std::span<const PresetRow> PresetLengthRows() { return kPresetLengths; }
std::span<const PresetRow> RaidT5Rows() { return kRaidT5; }
std::span<const PresetRow> RaidT6Rows() { return kRaidT6; }

std::vector<PresetEntry> BuildPresetTree(std::span<const PresetRow> rows)
{
    std::vector<PresetEntry> top;
    // path[i] is the children list that a row of level i + 1 goes into.
    std::vector<std::vector<PresetEntry>*> path{&top};
    for (const PresetRow& row : rows) {
        if (row.Level < 1 || static_cast<std::size_t>(row.Level) > path.size())
            throw std::logic_error(std::string("preset row out of order: ") + row.Name);
        path.resize(static_cast<std::size_t>(row.Level));
        auto& siblings = *path.back();
        siblings.push_back(PresetEntry{row.Name, row.Caption,
                                       row.Seconds > 0 ? std::optional(row.Seconds) : std::nullopt,
                                       {}});
        path.push_back(&siblings.back().Children);
    }
    return top;
}

const PresetEntry& PresetLengths()
{
    static const PresetEntry entry = submenu("NRaidPre", "Preset", kPresetLengths);
    return entry;
}

const std::vector<PresetEntry>& RaidCatalogue()
{
    static const std::vector<PresetEntry> trees{submenu("NRaid5", "Raid T5", kRaidT5),
                                                submenu("NRaid6", "Raid T6", kRaidT6)};
    return trees;
}

void ApplyPreset(CountdownView& field, std::int32_t seconds)
{
    const std::string text = std::to_string(seconds);
    if (field.fieldText() == text)
        return;
    field.setFieldText(text);
}

} // namespace kestrova
