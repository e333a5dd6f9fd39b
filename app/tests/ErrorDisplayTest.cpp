#include "ErrorDisplay.h"

#include "Errors.h"
#include "Startup.h"
#include "WidgetTestSupport.h"

#include <gtest/gtest.h>

namespace kestrova::testing {
namespace {

TEST(ErrorText, AppendsAFullStopWhenTheLastCharacterSortsAfterIt)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", ""},
        {"abc", "abc."},
        {"abc.", "abc."},
        {"ends in a blank ", "ends in a blank "},
        {"(x)", "(x)"},
        {"a-", "a-"},
        {"a,", "a,"},
        {"a/", "a/."},
        {"42", "42."},
        {"'x' は整数ではありません", "'x' は整数ではありません."},
        {"アイコンを登録できません。", "アイコンを登録できません。."},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(ErrorText(message), shown) << message;
}

TEST(ErrorDisplay, GuardShowsTheErrorInABoxAndAnAbortSilently)
{
    auto w = showWindow();
    BoxWatcher boxes;
    bool after = false;
    Guard(w.get(), [] { throw EConvertError("bad"); });
    Guard(w.get(), [] { throw EAbort(); });
    Guard(w.get(), [] { throw std::runtime_error("plain"); });
    Guard(w.get(), [] { throw 42; });
    after = true;
    EXPECT_TRUE(after);
    ASSERT_EQ(boxes.boxes.size(), 3u);
    EXPECT_EQ(boxes.boxes[0].text, "bad.");
    EXPECT_EQ(boxes.boxes[0].title, "Kestrova");
    EXPECT_TRUE(boxes.boxes[0].modal);
    EXPECT_EQ(boxes.boxes[1].text, "plain.");
    EXPECT_EQ(boxes.boxes[2].text, "Unknown error.");
}

TEST(StartupError, AFailureWhileTheWindowIsBuiltIsReportedAndGivesOne)
{
    auto& app = *qobject_cast<QApplication*>(QCoreApplication::instance());
    BoxWatcher boxes;
    const int code = RunTimer(app, []() -> std::unique_ptr<QWidget> {
        throw ENotifyIconError("タスクトレイにアイコンを登録できません。");
    });
    EXPECT_EQ(code, 1);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "アプリケーション エラー");
    EXPECT_EQ(boxes.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(boxes.boxes[0].parent, nullptr);
    const QString text = boxes.boxes[0].text;
    EXPECT_TRUE(text.startsWith("ENotifyIconError がモジュール window_tests の ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(" で発生しました。\nタスクトレイにアイコンを登録できません。.\n"))
        << text.toStdString();
}

TEST(StartupError, TheReportNamesKindModuleAddressAndMessage)
{
    const std::string text =
        StartupErrorText(std::make_exception_ptr(ENotifyIconError("x.")), "kestrova");
    EXPECT_EQ(text.rfind("ENotifyIconError がモジュール kestrova の ", 0), 0u) << text;
    EXPECT_NE(text.find(" で発生しました。\nx.\n"), std::string::npos) << text;
    // The code address is the raise site's, never zero.
    EXPECT_EQ(text.find("0000000000000000"), std::string::npos) << text;
}

} // namespace
} // namespace kestrova::testing
