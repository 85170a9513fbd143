#include "common/windows/controls.h"

#include "common/internal/dispatch.h"
#include "common/internal/faces.h"
#include "common/windows/mouse_widget.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/program/program.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {

// Reports typed characters before the edit box handles them.
template <class Base>
class KeyCharWidget : public Base {
public:
    using Base::Base;
    std::function<void(int)>* keyChar = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        int code = 0;
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            code = 13;
        else if (!event->text().isEmpty())
            code = event->text().at(0).unicode();
        if (code != 0 && keyChar && *keyChar)
            fire(this, *keyChar, code);
        Base::keyPressEvent(event);
    }
};

} // namespace

// ---- Button ---------------------------------------------------------------

Button::Button(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new QPushButton(toQString(caption), QtObjects::container(parent)), r)
{
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { fire(widget(), clicked); });
}

Text Button::caption() const { return fromQString(static_cast<QPushButton*>(widget())->text()); }
void Button::setCaption(const Text& c) { static_cast<QPushButton*>(widget())->setText(toQString(c)); }

// ---- EditBox --------------------------------------------------------------

namespace {

// "2024-9-5", "2024/09/05", "2024年9月5日" -> "2024-09-05"; other texts unchanged.
QString normalisedDate(const QString& text)
{
    static const QRegularExpression date(
        QStringLiteral("^\\s*(\\d{4})\\s*[-/.年]\\s*(\\d{1,2})\\s*[-/.月]\\s*(\\d{1,2})\\s*日?\\s*$"));
    QRegularExpressionMatch m = date.match(text);
    if (!m.hasMatch())
        return text;
    QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : text;
}

} // namespace

EditBox::EditBox(Container& parent, const Text& name, const Rect& r, const Text& content, Mode mode)
    : Unit(name,
           mode == MultiLine ? static_cast<QWidget*>(new KeyCharWidget<QPlainTextEdit>(QtObjects::container(parent)))
                             : new KeyCharWidget<QLineEdit>(QtObjects::container(parent)),
           r),
      mode_(mode)
{
    if (mode_ == MultiLine) {
        auto* edit = static_cast<KeyCharWidget<QPlainTextEdit>*>(widget());
        edit->keyChar = &keyChar;
        setContent(content);
        QObject::connect(edit, &QPlainTextEdit::textChanged, [this] { fire(widget(), changed); });
    } else {
        auto* edit = static_cast<KeyCharWidget<QLineEdit>*>(widget());
        edit->keyChar = &keyChar;
        edit->setMaxLength(std::numeric_limits<int>::max());   // never cuts a long text
        if (mode_ == Password) {
            edit->setEchoMode(QLineEdit::Password);
            edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));   // '*'
        }
        setContent(content);
        QObject::connect(edit, &QLineEdit::textChanged, [this] { fire(widget(), changed); });
        if (mode_ == DateTimeText)
            QObject::connect(edit, &QLineEdit::editingFinished, [edit] {
                QString date = normalisedDate(edit->text());
                if (date != edit->text())
                    edit->setText(date);
            });
    }
}

Text EditBox::content() const
{
    if (mode_ == MultiLine) {
        // Line breaks are CR LF in program text.
        QString text = static_cast<QPlainTextEdit*>(widget())->toPlainText();
        return fromQString(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    }
    QString text = static_cast<QLineEdit*>(widget())->text();
    return fromQString(mode_ == DateTimeText ? normalisedDate(text) : text);
}

void EditBox::setContent(const Text& content)
{
    if (mode_ == MultiLine) {
        QString text = toQString(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        static_cast<QPlainTextEdit*>(widget())->setPlainText(text);
    } else {
        auto* edit = static_cast<QLineEdit*>(widget());
        edit->setText(toQString(content));
        // A value the program sets shows from its start.
        edit->setCursorPosition(0);
    }
}

// ---- Label ----------------------------------------------------------------

Label::Label(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new MouseWidget<QLabel>(toQString(caption), QtObjects::container(parent)), r)
{
    auto* label = static_cast<MouseWidget<QLabel>*>(widget());
    label->down = &mouseDown;
    label->up = &mouseUp;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
}

Text Label::caption() const { return fromQString(static_cast<QLabel*>(widget())->text()); }
void Label::setCaption(const Text& c) { static_cast<QLabel*>(widget())->setText(toQString(c)); }

// ---- CheckBox and RadioButton ------------------------------------------------

CheckBox::CheckBox(Container& parent, const Text& name, const Rect& r, const Text& caption, bool checked)
    : Unit(name, new QCheckBox(toQString(caption), QtObjects::container(parent)), r)
{
    auto* box = static_cast<QCheckBox*>(widget());
    box->setChecked(checked);
    QObject::connect(box, &QCheckBox::clicked, [this] { fire(widget(), clicked); });
}

Text CheckBox::caption() const { return fromQString(static_cast<QCheckBox*>(widget())->text()); }
void CheckBox::setCaption(const Text& c) { static_cast<QCheckBox*>(widget())->setText(toQString(c)); }
bool CheckBox::checked() const { return static_cast<QCheckBox*>(widget())->isChecked(); }
void CheckBox::setChecked(bool c)
{
    QSignalBlocker block(widget());
    static_cast<QCheckBox*>(widget())->setChecked(c);
}

RadioButton::RadioButton(Container& parent, const Text& name, const Rect& r, const Text& caption, bool checked)
    : Unit(name, new QRadioButton(toQString(caption), QtObjects::container(parent)), r)
{
    auto* button = static_cast<QRadioButton*>(widget());
    button->setChecked(checked);
    QObject::connect(button, &QRadioButton::clicked, [this] { fire(widget(), clicked); });
}

Text RadioButton::caption() const { return fromQString(static_cast<QRadioButton*>(widget())->text()); }
void RadioButton::setCaption(const Text& c) { static_cast<QRadioButton*>(widget())->setText(toQString(c)); }
bool RadioButton::checked() const { return static_cast<QRadioButton*>(widget())->isChecked(); }
void RadioButton::setChecked(bool c)
{
    auto* button = static_cast<QRadioButton*>(widget());
    QSignalBlocker block(button);
    // Qt refuses to untick the ticked button of a group; the program may.
    button->setAutoExclusive(c);
    button->setChecked(c);
    button->setAutoExclusive(true);
}

// ---- GroupBox ---------------------------------------------------------------

namespace {

// Units are placed from the box's corner, the caption's band included, so
// the frame stays out of their way: its top line runs through the middle of
// the caption, which stands on it and breaks it, and an etched line (a dark
// line with a light one inside it) goes round the box.
class GroupBoxWidget : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int band = designLineHeight(font());
        const int top = title().isEmpty() ? 0 : band / 2;
        const QRect caption(8, 0, title().isEmpty() ? 0 : metrics.horizontalAdvance(title()) + 4, band);
        auto frame = [&](const QRect& r) {
            painter.drawLine(r.topLeft(), QPoint(caption.left() - 1, r.top()));
            painter.drawLine(QPoint(caption.right() + 1, r.top()), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        };
        const QRect outer(0, top, width(), height() - top);
        painter.setPen(palette().color(QPalette::Mid));
        frame(outer.adjusted(0, 0, -1, -1));
        painter.setPen(palette().color(QPalette::Light));
        frame(outer.adjusted(1, 1, 0, 0));
        if (title().isEmpty())
            return;
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        painter.drawText(caption.adjusted(0, -designRaise(font()), 0, 0), Qt::AlignHCenter | Qt::AlignTop, title());
    }
};

} // namespace

GroupBox::GroupBox(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new GroupBoxWidget(toQString(caption), QtObjects::container(parent)), r)
{
}

Text GroupBox::caption() const { return fromQString(static_cast<QGroupBox*>(widget())->title()); }
void GroupBox::setCaption(const Text& c) { static_cast<QGroupBox*>(widget())->setTitle(toQString(c)); }

// ---- ProgressBar, ImageButton, Canvas ---------------------------------------

ProgressBar::ProgressBar(Container& parent, const Text& name, const Rect& r, int maximum)
    : Unit(name, new QProgressBar(QtObjects::container(parent)), r)
{
    auto* bar = static_cast<QProgressBar*>(widget());
    bar->setRange(0, maximum);
    bar->setValue(0);
    // The bar shows no figure of its own: a window that wants one shows it.
    bar->setTextVisible(false);
}

int ProgressBar::position() const { return static_cast<QProgressBar*>(widget())->value(); }
void ProgressBar::setPosition(int p)
{
    auto* bar = static_cast<QProgressBar*>(widget());
    bar->setValue(p);
    // The whole bar is painted again with the window's next paint: the
    // bar's own immediate repaint reaches the screen only where a label
    // over it that changes as often (the percentage) is drawn.
    bar->update();
}

ImageButton::ImageButton(Container& parent, const Text& name, const Rect& r, const Bytes& picture)
    : Unit(name, new QToolButton(QtObjects::container(parent)), r)
{
    setPicture(picture);
    QObject::connect(static_cast<QToolButton*>(widget()), &QToolButton::clicked,
                     [this] { fire(widget(), clicked); });
}

void ImageButton::setPicture(const Bytes& picture)
{
    auto* button = static_cast<QToolButton*>(widget());
    QPixmap pixmap = pixmapFromBytes(picture);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(button->size());
}

Canvas::Canvas(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new QWidget(QtObjects::container(parent)), r)
{
}

// ---- Timer ------------------------------------------------------------------

struct Timer::Impl {
    explicit Impl(QTimer* t) : timer(t) {}
    QPointer<QTimer> timer;
};

Timer::Timer(Container& window, const Text& name, int period) : name_(name)
{
    ensureRuntime();
    // A child of the window, so closing the window can stop it.
    impl_ = std::make_unique<Impl>(new QTimer(QtObjects::container(window)));
    impl_->timer->setObjectName(toQString(name));
    QObject::connect(impl_->timer, &QTimer::timeout, [this] { fire(impl_->timer, tick); });
    setPeriod(period);
}

Timer::~Timer() { delete impl_->timer; }

void Timer::setPeriod(int period)
{
    period_ = period;
    if (!impl_->timer)
        return;   // its window is gone
    if (period <= 0) {
        impl_->timer->stop();
        return;
    }
    // Very short periods only copy a position: a few per frame are enough.
    impl_->timer->start(std::max(period, 15));
}
