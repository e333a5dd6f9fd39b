#pragma once
#include "Controls.h"
#include "CountdownEngine.h"
#include "PresetMenu.h"
#include "SystemTickSource.h"
#include "TrayIcon.h"

#include <QWidget>

class QAction;
class QMenu;

namespace kestrova {

class TForm1;
// The program's one window, set as soon as its construction begins.
extern TForm1* Form1;

// The timer window: a borderless, always-on-top 100 × 40 window holding, on
// its panel, the start/stop button, the seconds field, the remaining-seconds
// label and the bar. It is a thin layer over the countdown engine.
class TForm1 final : public QWidget, private CountdownView {
public:
    static constexpr QPoint DesignedPosition{187, 121};
    static constexpr QSize DesignedSize{100, 40};

    TForm1();
    ~TForm1() override;

    Panel* Panel1 = nullptr;
    SpeedButton* SpeedButton1 = nullptr;
    SecondsField* TimerSet1 = nullptr;
    AutoSizeLabel* TimerResult1 = nullptr;
    Gauge* Gauge1 = nullptr;
    TrayIcon* TrayIcon1 = nullptr;

    // The context menu and its entries.
    const PopupMenu& popupMenu() const { return menu_; }
    const CountdownEngine& engine() const { return engine_; }

    // The handlers.
    void FormCreate();
    void FormDblClick();
    void FormMouseDown(QWidget* sender, QMouseEvent* event);
    // The release of a press that FormMouseDown handled.
    void FormMouseUp(QWidget* sender, QMouseEvent* event);
    void FormClose();
    void BitBtn1Click();
    void TimerSet1Change();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // CountdownView
    std::string fieldText() const override;
    void setFieldText(std::string_view text) override;
    void setFieldEnabled(bool enabled) override;
    void setLabelCaption(std::string_view caption) override;
    void setLabelColor(Color color) override;
    void setBarMaxValue(std::int32_t value) override;
    std::int32_t barMaxValue() const override;
    void setBarProgress(std::int32_t value) override;
    void setBarColor(Color color) override;
    void setPresetsEnabled(bool enabled) override;

    void buildDescription();
    void followPointer(QMouseEvent* press);

    SystemTickSource ticks_;
    CountdownEngine engine_;
    PopupMenu menu_;
    bool closed_ = false;
    // A move was asked of the window manager and its release not yet seen.
    bool systemMoveAsked_ = false;
};

} // namespace kestrova
