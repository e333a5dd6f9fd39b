#include "TimerWindow.h"

#include "DesktopWindow.h"
#include "ErrorDisplay.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>
#include <QWindow>

#include <limits>

namespace kestrova {

TForm1* Form1 = nullptr;

namespace {

QFont makeFont(const QStringList& families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// Where the platform's window manager cannot move the window (no window
// manager, the offscreen platform), the window follows the pointer itself
// until the left button is released.
class PointerFollower final : public QObject {
public:
    // Owned by the window, so it goes with it at the latest.
    PointerFollower(QWidget* window, QPointF pressGlobal)
        : QObject(window), window_(window), offset_(pressGlobal - QPointF(window->pos()))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (window_ && (move->buttons() & Qt::LeftButton)) {
                window_->move((move->globalPosition() - offset_).toPoint());
                return true;
            }
            if (!(move->buttons() & Qt::LeftButton))
                stop(); // the release was missed
            return false;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                stop();
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    void stop()
    {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> window_;
    QPointF offset_;
};

} // namespace

TForm1::TForm1()
    : ticks_([this](std::exception_ptr e) { ShowError(this, e); }), engine_(*this, ticks_)
{
    Form1 = this;
    buildDescription();
    FormCreate();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildDescription()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Kestrova"));
    setAttribute(Qt::WA_QuitOnClose, false); // the close ends the program explicitly
    setFont(makeFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic")},
                     12, false));
    move(DesignedPosition);
    resize(152, 93);

    Panel1 = new Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 100, 40);
    Panel1->onPress = [this](QWidget* sender, QMouseEvent* e) { FormMouseDown(sender, e); };
    Panel1->onRelease = [this](QWidget* sender, QMouseEvent* e) { FormMouseUp(sender, e); };

    SpeedButton1 = new SpeedButton(Panel1);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setGeometry(5, 5, 23, 22);
    SpeedButton1->setGlyph(QPixmap(QStringLiteral(":/glyph.xpm")), 2);
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { BitBtn1Click(); });

    const QStringList century{QStringLiteral("Century"), QStringLiteral("C059"),
                              QStringLiteral("Century Schoolbook L")};

    TimerResult1 = new AutoSizeLabel(Panel1, QRect(72, 5, 20, 20));
    TimerResult1->setObjectName(QStringLiteral("TimerResult1"));
    TimerResult1->setFont(makeFont(century, 16, true));
    TimerResult1->setTextColor(clLime);
    TimerResult1->setCaption(QStringLiteral("00"));
    TimerResult1->setLayoutDirection(Qt::RightToLeft);
    TimerResult1->onPress = [this](QWidget* sender, QMouseEvent* e) { FormMouseDown(sender, e); };
    TimerResult1->onRelease = [this](QWidget* sender, QMouseEvent* e) { FormMouseUp(sender, e); };

    Gauge1 = new Gauge(Panel1);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(5, 30, 90, 6);
    Gauge1->setForeColor(clLime);

    TimerSet1 = new SecondsField(Panel1);
    TimerSet1->setObjectName(QStringLiteral("TimerSet1"));
    TimerSet1->setGeometry(32, 5, 25, 24);
    TimerSet1->setFont(makeFont(century, 13, true));
    {
        QPalette p = TimerSet1->palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, Qt::white);
        TimerSet1->setPalette(p);
    }
    TimerSet1->setMaxLength(std::numeric_limits<int>::max()); // no length limit
    TimerSet1->setText(QStringLiteral("30"));
    TimerSet1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    TimerSet1->onDoubleClick = [this] { FormDblClick(); };
    // The field is a window of its own above the drawn controls.
    TimerSet1->raise();
    connect(TimerSet1, &QLineEdit::textChanged, this, [this] { TimerSet1Change(); });
    TimerSet1->setFocus();

    menu_ = BuildPopupMenu(
        this, {.startStop = [this] { BitBtn1Click(); },
               .close = [this] { FormDblClick(); },
               .preset = [this](std::int32_t seconds) {
                   Guard(this, [&] { ApplyPreset(*this, seconds); });
               }});
    // The controls that carry the menu. The button has none of its own: its
    // request reaches the panel it lies on.
    for (QWidget* carrier : {static_cast<QWidget*>(Panel1), static_cast<QWidget*>(TimerResult1),
                             static_cast<QWidget*>(Gauge1), static_cast<QWidget*>(TimerSet1)})
        carrier->installEventFilter(this);

    // The notification-area icon is added once the rest is in place, before
    // the window's creation handler runs and before the window shows.
    TrayIcon1 = new TrayIcon(QApplication::windowIcon(), this);
    TrayIcon1->onDoubleClick = [this] { FormDblClick(); };
    TrayIcon1->show();

    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, [this] { close(); });
}

void TForm1::FormCreate()
{
    Guard(this, [this] {
        Panel1->setColor(PanelColor);
        TimerResult1->setBackground(Panel1->color());
        resize(DesignedSize);
        engine_.FormCreate();
        TimerSet1->setDigitsOnly(true);
        SetDesktopStates(this);
    });
}

void TForm1::FormDblClick()
{
    if (Form1)
        Form1->close();
}

void TForm1::FormMouseDown(QWidget*, QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove()) {
        systemMoveAsked_ = true;
        return;
    }
    followPointer(event);
}

void TForm1::FormMouseUp(QWidget*, QMouseEvent* event)
{
    // During a move the window manager holds the pointer and the release goes
    // to it. A release that still reaches the window came before the window
    // manager took over: the move must not begin after the button is up.
    if (systemMoveAsked_ && event->button() == Qt::LeftButton)
        CancelSystemMove(this);
    systemMoveAsked_ = false;
}

void TForm1::followPointer(QMouseEvent* press)
{
    new PointerFollower(this, press->globalPosition());
}

void TForm1::FormClose()
{
    engine_.FormClose();
}

void TForm1::BitBtn1Click()
{
    Guard(this, [this] { engine_.BitBtn1Click(); });
}

void TForm1::TimerSet1Change()
{
    Guard(this, [this] { engine_.TimerSet1Change(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    Guard(this, [this] { FormClose(); });
    event->accept();
    if (!closed_) {
        closed_ = true;
        // The program's only window is closing: the program ends.
        QCoreApplication::quit();
    }
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    FormMouseDown(this, event);
}

void TForm1::mouseDoubleClickEvent(QMouseEvent*)
{
    FormDblClick();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || !menu_.PopupMenu1)
        return QWidget::eventFilter(watched, event);
    const auto* request = static_cast<QContextMenuEvent*>(event);
    // From the keyboard the menu opens at the field's top-left corner, from
    // the mouse at the pointer. It takes the place of the field's own
    // editing menu, which never shows.
    const QPoint at = (request->reason() == QContextMenuEvent::Keyboard && watched == TimerSet1)
                          ? TimerSet1->mapToGlobal(QPoint(0, 0))
                          : request->globalPos();
    menu_.PopupMenu1->popup(at);
    return true;
}

// --- CountdownView ----------------------------------------------------------

std::string TForm1::fieldText() const
{
    return TimerSet1->text().toStdString();
}

void TForm1::setFieldText(std::string_view text)
{
    TimerSet1->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TForm1::setFieldEnabled(bool enabled)
{
    TimerSet1->setEnabled(enabled);
}

void TForm1::setLabelCaption(std::string_view caption)
{
    TimerResult1->setCaption(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

void TForm1::setLabelColor(Color color)
{
    TimerResult1->setTextColor(color);
}

void TForm1::setBarMaxValue(std::int32_t value)
{
    Gauge1->setMaxValue(value);
}

std::int32_t TForm1::barMaxValue() const
{
    return Gauge1->model().maxValue();
}

void TForm1::setBarProgress(std::int32_t value)
{
    Gauge1->setProgress(value);
}

void TForm1::setBarColor(Color color)
{
    Gauge1->setForeColor(color);
}

void TForm1::setPresetsEnabled(bool enabled)
{
    menu_.setPresetsEnabled(enabled);
}

} // namespace kestrova
