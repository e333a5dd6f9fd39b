#pragma once
#include "PresetEntry.h"

#include <QPointer>

#include <cstdint>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kestrova {

// The window's context menu: "Start/Stop", "Close", the "Preset" lengths
// and the raid catalogue. Every entry's object name is its identifier.
struct PopupMenu {
    QMenu* PopupMenu1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* Close1 = nullptr;
    QMenu* NRaidPre = nullptr;
    QMenu* NRaid5 = nullptr;
    QMenu* NRaid6 = nullptr;

    // Enables or disables "Preset", "Raid T5" and "Raid T6", in that order.
    void setPresetsEnabled(bool enabled) const;
};

struct PopupMenuHandlers {
    std::function<void()> startStop;
    std::function<void()> close;
    // A fixed length or a timed catalogue entry was chosen.
    std::function<void(std::int32_t seconds)> preset;
};

// Builds the menu, owned by `parent`, from the preset tables.
PopupMenu BuildPopupMenu(QWidget* parent, PopupMenuHandlers handlers);

} // namespace kestrova
