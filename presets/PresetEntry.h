#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

class CountdownView;

// One entry of the context menu below its top level: a submenu (it has
// children), a timed entry (a leaf with seconds) or a plain entry (a leaf
// without; choosing it does nothing).
struct PresetEntry {
    std::string Name;    // identifier, unique across the whole menu
    std::string Caption; // shown exactly as stored, blanks included
    std::optional<std::int32_t> Seconds;
    std::vector<PresetEntry> Children;

    bool isSubmenu() const { return !Children.empty(); }
    bool isTimed() const { return Children.empty() && Seconds.has_value(); }
};

// One row of a static preset table, in display order (depth first). Level
// counts from the submenu that holds the table (1 = directly in it);
// Seconds 0 means none.
struct PresetRow {
    int Level;
    const char* Name;
    const char* Caption;
    std::int32_t Seconds;
};

// Builds the entries of a table: every row under the nearest row before it
// with a level one less. Throws std::logic_error on a row that skips a level.
std::vector<PresetEntry> BuildPresetTree(std::span<const PresetRow> rows);

// The six fixed lengths of the "Preset" submenu.
std::span<const PresetRow> PresetLengthRows();
// The contents of "Raid T5" and "Raid T6".
std::span<const PresetRow> RaidT5Rows();
std::span<const PresetRow> RaidT6Rows();

// The submenu entries "Preset" (NRaidPre), "Raid T5" (NRaid5) and
// "Raid T6" (NRaid6), each holding its table as children; built once.
const PresetEntry& PresetLengths();
const std::vector<PresetEntry>& RaidCatalogue();

// Writes `seconds` as decimal text into the seconds field, unless the field
// holds exactly that text already (then nothing changes and no change
// notification is raised).
void ApplyPreset(CountdownView& field, std::int32_t seconds);

} // namespace kestrova
