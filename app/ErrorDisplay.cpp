#include "ErrorDisplay.h"

#include "Errors.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdint>
#include <cstdio>

namespace kestrova {

namespace {

struct Described {
    std::string kind;
    std::string message;
    const void* address = nullptr;
};

Described describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return {e.kind(), e.message(), e.address()};
    } catch (const std::exception& e) {
        return {"Exception", e.what()};
    } catch (...) {
        return {"Exception", "Unknown error"};
    }
}

bool isAbort(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EAbort&) {
        return true;
    } catch (...) {
        return false;
    }
}

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

std::string ErrorText(std::string_view message)
{
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

void ShowError(QWidget* parent, std::exception_ptr error)
{
    if (!error || isAbort(error))
        return;
    try {
        const Described d = describe(error);
        showBox(parent, QGuiApplication::applicationDisplayName(), ErrorText(d.message));
    } catch (...) {
        // Showing the error failed (out of memory, say): nothing more can be
        // done for it, and the program goes on.
    }
}

std::string StartupErrorText(std::exception_ptr error, std::string_view programFile)
{
    const Described d = describe(error);
    char addressText[32];
    std::snprintf(addressText, sizeof addressText, "%016llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(d.address)));
    std::string text = d.kind;
    text += " がモジュール ";
    text += programFile;
    text += " の ";
    text += addressText;
    text += " で発生しました。\n";
    text += d.message;
    if (!d.message.empty() && d.message.back() != '.')
        text += '.';
    text += '\n';
    return text;
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
