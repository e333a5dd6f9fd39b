#pragma once
// The window's controls: panel, flat speed button, seconds field,
// self-sizing label and gauge bar.
#include "Colors.h"
#include "GaugeModel.h"

#include <QAbstractButton>
#include <QColor>
#include <QLineEdit>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kestrova {

QColor toQColor(Color color);

// A pointer press on a control; the window decides what it does.
using PressHandler = std::function<void(QWidget* sender, QMouseEvent* event)>;

// A control whose pointer presses and releases the window handles.
class PressableWidget : public QWidget {
public:
    using QWidget::QWidget;
    PressHandler onPress;
    PressHandler onRelease;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// The panel: a flat colour with one raised bevel a pixel wide.
class Panel : public PressableWidget {
public:
    explicit Panel(QWidget* parent);
    void setColor(Color color);
    Color color() const { return color_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Color color_ = 0;
};

// A flat button that shows a glyph: nothing around it at rest, a raised
// frame while the pointer is over it, a sunken frame with the glyph moved a
// pixel right and down while it is held down.
class SpeedButton : public QAbstractButton {
public:
    explicit SpeedButton(QWidget* parent);
    // `glyph` holds `count` images side by side; the colour of the first
    // image's bottom-left pixel is transparent. Image 0 is shown enabled,
    // image 1 disabled.
    void setGlyph(const QPixmap& glyph, int count);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    QPixmap images_[2];
};

// The seconds field. Typed characters other than the digits 0 to 9 are
// refused; pasted text and text the program writes are not filtered.
class SecondsField : public QLineEdit {
public:
    explicit SecondsField(QWidget* parent);
    std::function<void()> onDoubleClick;
    // From then on only digits can be typed.
    void setDigitsOnly(bool on) { digitsOnly_ = on; }
    bool digitsOnly() const { return digitsOnly_; }

    // Whether typing this text is allowed.
    static bool acceptsTyped(const QString& text);

    // Like the desktop's own text fields, the caret stops blinking after
    // this long without input, so that an idle window does no work.
    static constexpr int BlinkTimeoutMs = 10000;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void blinkAgain();
    bool digitsOnly_ = false;
    QTimer blinkTimeout_;
    int flashTime_ = 0;
};

// A label that fits itself to its one line of text whenever the text or the
// font changes, keeping its right edge where it is. Opaque.
class AutoSizeLabel : public PressableWidget {
public:
    AutoSizeLabel(QWidget* parent, const QRect& bounds);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }
    void setTextColor(Color color);
    Color textColor() const { return textColor_; }
    void setBackground(Color color);

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* event) override;

private:
    void fit();
    QString caption_;
    Color textColor_ = 0;
    Color background_ = 0;
};

// The horizontal gauge bar: black background, a 1-pixel black border and a
// filled share in its fore colour. It repaints only when its percentage,
// its maximum or its colour changes.
class Gauge : public QWidget {
public:
    explicit Gauge(QWidget* parent);
    const GaugeModel& model() const { return model_; }
    void setMaxValue(std::int32_t value); // throws EInvalidOperation below MinValue
    void setProgress(std::int32_t value);
    void setForeColor(Color color);
    Color foreColor() const { return foreColor_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    GaugeModel model_;
    Color foreColor_ = 0;
};

} // namespace kestrova
