#include "Controls.h"

#include <QBitmap>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QStyleHints>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kestrova {

QColor toQColor(Color color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

namespace {
// A one-pixel 3-D frame: `topLeft` along the top and left edges,
// `bottomRight` along the bottom and right.
void drawFrame(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}
} // namespace

// --- PressableWidget, Panel --------------------------------------------------

Panel::Panel(QWidget* parent) : PressableWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::setColor(Color color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(color_));
    drawFrame(p, rect(), palette().color(QPalette::Light), palette().color(QPalette::Dark));
}

void PressableWidget::mousePressEvent(QMouseEvent* event)
{
    if (onPress)
        onPress(this, event);
}

void PressableWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (onRelease)
        onRelease(this, event);
}

// --- SpeedButton ------------------------------------------------------------

SpeedButton::SpeedButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void SpeedButton::setGlyph(const QPixmap& glyph, int count)
{
    if (glyph.isNull() || count < 1)
        return;
    const QImage image = glyph.toImage();
    const int width = image.width() / count;
    const QRgb transparent = image.pixel(0, image.height() - 1);
    for (int i = 0; i < count && i < 2; ++i) {
        QPixmap part = QPixmap::fromImage(image.copy(i * width, 0, width, image.height()));
        part.setMask(part.createMaskFromColor(QColor::fromRgb(transparent), Qt::MaskInColor));
        images_[i] = part;
    }
    update();
}

void SpeedButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool down = isDown();
    const QRect r = rect();
    if (down)
        drawFrame(p, r, palette().color(QPalette::Dark), palette().color(QPalette::Light));
    else if (isEnabled() && underMouse())
        drawFrame(p, r, palette().color(QPalette::Light), palette().color(QPalette::Dark));

    const QPixmap& image = (!isEnabled() && !images_[1].isNull()) ? images_[1] : images_[0];
    if (image.isNull())
        return;
    QPoint at((r.width() - image.width()) / 2, (r.height() - image.height()) / 2);
    if (down)
        at += QPoint(1, 1);
    p.drawPixmap(at, image);
}

// --- SecondsField -----------------------------------------------------------

SecondsField::SecondsField(QWidget* parent) : QLineEdit(parent)
{
    blinkTimeout_.setSingleShot(true);
    blinkTimeout_.setInterval(BlinkTimeoutMs);
    connect(&blinkTimeout_, &QTimer::timeout, this, [this] {
        QStyleHints* hints = QGuiApplication::styleHints();
        if (hints->cursorFlashTime() > 0) {
            flashTime_ = hints->cursorFlashTime();
            hints->setCursorFlashTime(0); // a steady caret
        }
    });
}

void SecondsField::blinkAgain()
{
    if (flashTime_ > 0 && QGuiApplication::styleHints()->cursorFlashTime() == 0)
        QGuiApplication::styleHints()->setCursorFlashTime(flashTime_);
    blinkTimeout_.start();
}

void SecondsField::focusInEvent(QFocusEvent* event)
{
    blinkAgain();
    QLineEdit::focusInEvent(event);
}

void SecondsField::mousePressEvent(QMouseEvent* event)
{
    blinkAgain();
    QLineEdit::mousePressEvent(event);
}

bool SecondsField::acceptsTyped(const QString& text)
{
    for (const QChar c : text) {
        // Control characters (Backspace, Ctrl+V and the like) pass; of the
        // printable ones only the digits 0 to 9.
        if (c.isPrint() && !(c >= u'0' && c <= u'9'))
            return false;
    }
    return true;
}

void SecondsField::keyPressEvent(QKeyEvent* event)
{
    blinkAgain();
    // The context-menu key and Shift+F10 ask for the context menu.
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Menu && mods == Qt::NoModifier)
        || (event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(0, 0), mapToGlobal(QPoint(0, 0)),
                                  event->modifiers());
        QCoreApplication::sendEvent(this, &request);
        event->accept();
        return;
    }
    // Shortcuts (Ctrl+V, Ctrl+A, ...) are not typing.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (digitsOnly_ && !shortcut && !acceptsTyped(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SecondsField::inputMethodEvent(QInputMethodEvent* event)
{
    if (digitsOnly_ && !acceptsTyped(event->commitString())) {
        // Keep the preedit cleared, commit nothing.
        QInputMethodEvent empty;
        QLineEdit::inputMethodEvent(&empty);
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void SecondsField::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onDoubleClick) {
        onDoubleClick();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

// --- AutoSizeLabel ----------------------------------------------------------

AutoSizeLabel::AutoSizeLabel(QWidget* parent, const QRect& bounds) : PressableWidget(parent)
{
    setGeometry(bounds);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void AutoSizeLabel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    fit();
    update();
}

void AutoSizeLabel::setTextColor(Color color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    update();
}

void AutoSizeLabel::setBackground(Color color)
{
    if (color == background_)
        return;
    background_ = color;
    update();
}

void AutoSizeLabel::fit()
{
    const QFontMetrics fm(font());
    const int width = fm.horizontalAdvance(caption_);
    const int height = fm.height();
    const QRect old = geometry();
    if (width == old.width() && height == old.height())
        return;
    // Right-justified: the right edge stays, the top too.
    setGeometry(old.x() + old.width() - width, old.y(), width, height);
}

void AutoSizeLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        fit();
    QWidget::changeEvent(event);
}

void AutoSizeLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(background_));
    p.setPen(toQColor(textColor_));
    p.setFont(font());
    p.drawText(rect(), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine, caption_);
}

// --- Gauge ------------------------------------------------------------------

Gauge::Gauge(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Gauge::mousePressEvent(QMouseEvent* event)
{
    // A press on the bar does nothing, and it does not reach the panel.
    event->accept();
}

void Gauge::setMaxValue(std::int32_t value)
{
    const int before = model_.percentDone();
    if (model_.setMaxValue(value) || model_.percentDone() != before)
        update();
}

void Gauge::setProgress(std::int32_t value)
{
    const int before = model_.percentDone();
    if (model_.setProgress(value) && model_.percentDone() != before)
        update();
}

void Gauge::setForeColor(Color color)
{
    if (color == foreColor_)
        return;
    foreColor_ = color;
    update();
}

void Gauge::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, Qt::black);
    const QRect inner = r.adjusted(1, 1, -1, -1);
    const int filled = inner.width() * model_.percentDone() / 100;
    if (filled > 0)
        p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), toQColor(foreColor_));
}

} // namespace kestrova
