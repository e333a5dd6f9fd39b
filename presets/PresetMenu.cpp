#include "PresetMenu.h"

#include <QAction>
#include <QMenu>

namespace kestrova {

namespace {

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QMenu* addSubmenu(QMenu* menu, const PresetEntry& entry,
                  const std::function<void(std::int32_t)>& preset);

void addEntries(QMenu* menu, const std::vector<PresetEntry>& entries,
                const std::function<void(std::int32_t)>& preset)
{
    for (const PresetEntry& entry : entries) {
        if (entry.isSubmenu()) {
            addSubmenu(menu, entry, preset);
            continue;
        }
        QAction* action = menu->addAction(text(entry.Caption));
        action->setObjectName(text(entry.Name));
        // A plain entry only closes the menu; a timed one applies its length.
        if (entry.isTimed()) {
            const std::int32_t seconds = *entry.Seconds;
            QObject::connect(action, &QAction::triggered, menu, [preset, seconds] {
                if (preset)
                    preset(seconds);
            });
        }
    }
}

QMenu* addSubmenu(QMenu* menu, const PresetEntry& entry,
                  const std::function<void(std::int32_t)>& preset)
{
    QMenu* sub = menu->addMenu(text(entry.Caption));
    sub->setObjectName(text(entry.Name));
    sub->menuAction()->setObjectName(text(entry.Name));
    addEntries(sub, entry.Children, preset);
    return sub;
}

} // namespace

void PopupMenu::setPresetsEnabled(bool enabled) const
{
    for (QMenu* sub : {NRaidPre, NRaid5, NRaid6})
        if (sub)
            sub->menuAction()->setEnabled(enabled);
}

PopupMenu BuildPopupMenu(QWidget* parent, PopupMenuHandlers handlers)
{
    PopupMenu m;
    m.PopupMenu1 = new QMenu(parent);
    m.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    m.Start1 = m.PopupMenu1->addAction(QStringLiteral("Start/Stop"));
    m.Start1->setObjectName(QStringLiteral("Start1"));
    QObject::connect(m.Start1, &QAction::triggered, m.PopupMenu1, [f = handlers.startStop] {
        if (f)
            f();
    });

    m.Close1 = m.PopupMenu1->addAction(QStringLiteral("Close"));
    m.Close1->setObjectName(QStringLiteral("Close1"));
    QObject::connect(m.Close1, &QAction::triggered, m.PopupMenu1, [f = handlers.close] {
        if (f)
            f();
    });

    m.PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    m.NRaidPre = addSubmenu(m.PopupMenu1, PresetLengths(), handlers.preset);
    m.PopupMenu1->addSeparator()->setObjectName(QStringLiteral("N3"));
    const auto& catalogue = RaidCatalogue();
    m.NRaid5 = addSubmenu(m.PopupMenu1, catalogue.at(0), handlers.preset);
    m.NRaid6 = addSubmenu(m.PopupMenu1, catalogue.at(1), handlers.preset);
    return m;
}

} // namespace kestrova
