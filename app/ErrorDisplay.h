#pragma once
#include "ErrorText.h"

#include <exception>

class QWidget;

namespace kestrova {

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

// The report of an error that ends the program at start-up, in a box
// without owner titled "アプリケーション エラー".
void ShowStartupError(std::exception_ptr error);

} // namespace kestrova
