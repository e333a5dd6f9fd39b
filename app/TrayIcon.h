#pragma once
#include <QObject>
#include <QSystemTrayIcon>

#include <cstdint>
#include <functional>

class QIcon;

namespace kestrova {

// Turns what a notification-area host reports into left double clicks.
// An XEmbed host reports a double click itself (after an activation for the
// first press); a StatusNotifierItem host reports only activations, so two
// activations within the double-click time count as one double click. A
// single activation never counts.
class TrayClickFilter {
public:
    explicit TrayClickFilter(int doubleClickMs) : doubleClickMs_(doubleClickMs) {}
    // Returns true when this report completes a left double click.
    bool report(QSystemTrayIcon::ActivationReason reason, std::int64_t atMs);

private:
    int doubleClickMs_;
    bool pending_ = false;
    std::int64_t lastTriggerMs_ = 0;
};

// The program's icon in the notification area: the program icon with the
// tool tip "TipHelp", no menu, no balloon. A left double click on it calls
// `onDoubleClick`; every other click does nothing. Where no notification
// area exists yet, the icon appears as soon as one does; when the area is
// made anew, the icon comes back.
class TrayIcon final : public QObject {
public:
    TrayIcon(const QIcon& icon, QObject* parent);
    ~TrayIcon() override;

    std::function<void()> onDoubleClick;

    void show();
    QSystemTrayIcon* icon() const { return icon_; }
    // Feeds a host's report, as the icon does.
    void activated(QSystemTrayIcon::ActivationReason reason);

private:
    QSystemTrayIcon* icon_;
    TrayClickFilter clicks_;
};

} // namespace kestrova
