#include "Platform.h"
#include "Startup.h"
#include "TimerWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    kestrova::ApplyPlatformChoice();
    QApplication app(argc, argv);
    kestrova::SetUpApplication(app);
    return kestrova::RunTimer(app, [] { return std::make_unique<kestrova::TForm1>(); });
}
