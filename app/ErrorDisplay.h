#pragma once
#include <exception>
#include <string>
#include <string_view>

class QWidget;

namespace kestrova {

// The text the error display shows for an error's message: a "." is
// appended when the message is not empty and its last character sorts after
// "." (any non-ASCII last character does).
std::string ErrorText(std::string_view message);

// The general error display: shows the error in a modal box captioned
// "Kestrova" with the stop icon and one OK button, owned by `parent`.
// An EAbort shows nothing.
void ShowError(QWidget* parent, std::exception_ptr error);

// The boundary of every handler: runs `handler`, and hands anything it
// throws to the error display. Nothing escapes into Qt.
template <typename Handler>
void Guard(QWidget* parent, Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        ShowError(parent, std::current_exception());
    }
}

// The report of an error that ends the program at start-up: its text, and
// the task-modal box without owner titled "アプリケーション エラー".
std::string StartupErrorText(std::exception_ptr error, std::string_view programFile);
void ShowStartupError(std::exception_ptr error);

} // namespace kestrova
