#pragma once
#include <functional>
#include <memory>

class QApplication;
class QWidget;

namespace kestrova {

// Sets up the application object: names, version, icon, style.
void SetUpApplication(QApplication& app);

// Builds the window with `createWindow`, shows it at its place, top-most and
// active, and runs the event loop until the window closes; returns 0. An
// error while the window is built is reported with the start-up error box
// and gives 1; the window is never shown then.
int RunTimer(QApplication& app, const std::function<std::unique_ptr<QWidget>()>& createWindow);

} // namespace kestrova
