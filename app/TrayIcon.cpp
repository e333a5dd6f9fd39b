#include "TrayIcon.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QIcon>
#include <QStyleHints>

namespace kestrova {

bool TrayClickFilter::report(QSystemTrayIcon::ActivationReason reason, std::int64_t atMs)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        pending_ = false;
        return true;
    case QSystemTrayIcon::Trigger:
        if (pending_ && atMs - lastTriggerMs_ <= doubleClickMs_) {
            pending_ = false;
            return true;
        }
        pending_ = true;
        lastTriggerMs_ = atMs;
        return false;
    default:
        // Right and middle clicks, and anything else, end a pending pair.
        pending_ = false;
        return false;
    }
}

TrayIcon::TrayIcon(const QIcon& icon, QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(icon, this)),
      clicks_(QGuiApplication::styleHints()->mouseDoubleClickInterval())
{
    icon_->setObjectName(QStringLiteral("TrayIcon1"));
    icon_->setToolTip(QStringLiteral("TipHelp"));
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
}

TrayIcon::~TrayIcon()
{
    // Taken out of the notification area with the program.
    icon_->hide();
}

void TrayIcon::show()
{
    icon_->show();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    if (clicks_.report(reason, QDateTime::currentMSecsSinceEpoch()) && onDoubleClick)
        onDoubleClick();
}

} // namespace kestrova
