#include "ErrorDisplay.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>

namespace kestrova {

namespace {

void showBox(QWidget* parent, const QString& title, const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, title, QString::fromStdString(text), QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    // Messages are plain text, whatever they hold.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void ShowError(QWidget* parent, std::exception_ptr error)
{
    if (!error || IsAbort(error))
        return;
    try {
        const DescribedError d = DescribeError(error);
        showBox(parent, QGuiApplication::applicationDisplayName(), ErrorText(d.message));
    } catch (...) {
        // Showing the error failed (out of memory, say): nothing more can be
        // done for it, and the program goes on.
    }
}

void ShowStartupError(std::exception_ptr error)
{
    const std::string program =
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
    const std::string text = StartupErrorText(error, program);
    std::fputs(text.c_str(), stderr);
    try {
        showBox(nullptr, QStringLiteral("アプリケーション エラー"), text);
    } catch (...) {
    }
}

} // namespace kestrova
