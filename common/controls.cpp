#include "common/controls.h"

#include "common/files.h"
#include "common/internal/dispatch.h"
#include "common/internal/item_views.h"
#include "common/internal/mouse_widget.h"
#include "common/internal/pixmaps.h"
#include "common/internal/unit_views.h"
#include "common/program.h"
#include "common/qtext.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace {

QWidget* parentOf(Container& c) { return c.containerWidget(); }

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
            fire(*keyChar, code);
        Base::keyPressEvent(event);
    }
};

} // namespace

// ---- Button ---------------------------------------------------------------

Button::Button(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new QPushButton(toQString(caption), parentOf(parent)), r)
{
    auto* button = static_cast<QPushButton*>(widget());
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, [this] { fire(clicked); });
}

Text Button::caption() const { return fromQString(static_cast<QPushButton*>(widget())->text()); }
void Button::setCaption(const Text& c) { static_cast<QPushButton*>(widget())->setText(toQString(c)); }

// ---- EditBox --------------------------------------------------------------

EditBox::EditBox(Container& parent, const Text& name, const Rect& r, const Text& content, Mode mode)
    : Unit(name,
           mode == MultiLine ? static_cast<QWidget*>(new KeyCharWidget<QPlainTextEdit>(parentOf(parent)))
                             : new KeyCharWidget<QLineEdit>(parentOf(parent)),
           r),
      mode_(mode)
{
    if (mode_ == MultiLine) {
        auto* edit = static_cast<KeyCharWidget<QPlainTextEdit>*>(widget());
        edit->keyChar = &keyChar;
        edit->setPlainText(toQString(content));
        QObject::connect(edit, &QPlainTextEdit::textChanged, [this] { fire(changed); });
    } else {
        auto* edit = static_cast<KeyCharWidget<QLineEdit>*>(widget());
        edit->keyChar = &keyChar;
        if (mode_ == Password)
            edit->setEchoMode(QLineEdit::Password);
        edit->setText(toQString(content));
        QObject::connect(edit, &QLineEdit::textChanged, [this] { fire(changed); });
    }
}

Text EditBox::content() const
{
    if (mode_ == MultiLine) {
        // Line breaks are CR LF in program text.
        QString text = static_cast<QPlainTextEdit*>(widget())->toPlainText();
        return fromQString(text.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    }
    return fromQString(static_cast<QLineEdit*>(widget())->text());
}

void EditBox::setContent(const Text& content)
{
    if (mode_ == MultiLine) {
        QString text = toQString(content).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        static_cast<QPlainTextEdit*>(widget())->setPlainText(text);
    } else {
        static_cast<QLineEdit*>(widget())->setText(toQString(content));
    }
}

// ---- Label ----------------------------------------------------------------

Label::Label(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new MouseWidget<QLabel>(toQString(caption), parentOf(parent)), r)
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
    : Unit(name, new QCheckBox(toQString(caption), parentOf(parent)), r)
{
    auto* box = static_cast<QCheckBox*>(widget());
    box->setChecked(checked);
    QObject::connect(box, &QCheckBox::clicked, [this] { fire(clicked); });
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
    : Unit(name, new QRadioButton(toQString(caption), parentOf(parent)), r)
{
    auto* button = static_cast<QRadioButton*>(widget());
    button->setChecked(checked);
    QObject::connect(button, &QRadioButton::clicked, [this] { fire(clicked); });
}

Text RadioButton::caption() const { return fromQString(static_cast<QRadioButton*>(widget())->text()); }
void RadioButton::setCaption(const Text& c) { static_cast<QRadioButton*>(widget())->setText(toQString(c)); }
bool RadioButton::checked() const { return static_cast<QRadioButton*>(widget())->isChecked(); }
void RadioButton::setChecked(bool c)
{
    QSignalBlocker block(widget());
    static_cast<QRadioButton*>(widget())->setChecked(c);
}

// ---- ComboBox ---------------------------------------------------------------

namespace {
QComboBox* combo(const Unit* u) { return static_cast<QComboBox*>(u->widget()); }
bool inRange(int index, int count) { return index >= 0 && index < count; }
}

ComboBox::ComboBox(Container& parent, const Text& name, const Rect& r,
                   const std::vector<Text>& items, int current)
    : Unit(name, new QComboBox(parentOf(parent)), r)
{
    for (const Text& item : items)
        addItem(item, 0);
    setCurrentIndex(current);
    QObject::connect(combo(this), &QComboBox::activated, [this](int) { fire(selectionChanged); });
}

void ComboBox::addItem(const Text& text, int value)
{
    QSignalBlocker block(widget());
    int before = combo(this)->currentIndex();
    combo(this)->addItem(toQString(text), value);
    combo(this)->setCurrentIndex(before);   // adding never selects
}

void ComboBox::clearItems()
{
    QSignalBlocker block(widget());
    combo(this)->clear();
}

int ComboBox::itemCount() const { return combo(this)->count(); }

Text ComboBox::itemText(int index) const
{
    return inRange(index, itemCount()) ? fromQString(combo(this)->itemText(index)) : Text();
}

int ComboBox::itemValue(int index) const
{
    return inRange(index, itemCount()) ? combo(this)->itemData(index).toInt() : 0;
}

void ComboBox::setItem(int index, const Text& text, int value)
{
    if (!inRange(index, itemCount()))
        return;
    QSignalBlocker block(widget());
    combo(this)->setItemText(index, toQString(text));
    combo(this)->setItemData(index, value);
}

int ComboBox::currentIndex() const { return combo(this)->currentIndex(); }

void ComboBox::setCurrentIndex(int index)
{
    QSignalBlocker block(widget());
    combo(this)->setCurrentIndex(inRange(index, itemCount()) ? index : -1);
}

Text ComboBox::currentText() const { return itemText(currentIndex()); }
int ComboBox::currentValue() const { return itemValue(currentIndex()); }
void ComboBox::setPlaceholder(const Text& text) { combo(this)->setPlaceholderText(toQString(text)); }

// ---- ListBox ----------------------------------------------------------------

namespace {
QListWidget* list(const Unit* u) { return static_cast<QListWidget*>(u->widget()); }
}

ListBox::ListBox(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new UnitItemView<QListWidget>(parentOf(parent)), r)
{
    static_cast<UnitItemView<QListWidget>*>(widget())->currentMoved = &selectionChanged;
    new RightButtonGuard(list(this), nullptr);
    QObject::connect(list(this), &QListWidget::itemDoubleClicked, [this] { fire(doubleClicked); });
}

void ListBox::addItem(const Text& text, int value)
{
    QSignalBlocker block(widget());
    auto* item = new QListWidgetItem(toQString(text));
    item->setData(Qt::UserRole, value);
    list(this)->addItem(item);
}

void ListBox::removeItem(int index)
{
    if (!inRange(index, itemCount()))
        return;
    QSignalBlocker block(widget());
    delete list(this)->takeItem(index);
}

void ListBox::clearItems()
{
    QSignalBlocker block(widget());
    list(this)->clear();
}

int ListBox::itemCount() const { return list(this)->count(); }

Text ListBox::itemText(int index) const
{
    return inRange(index, itemCount()) ? fromQString(list(this)->item(index)->text()) : Text();
}

int ListBox::itemValue(int index) const
{
    return inRange(index, itemCount()) ? list(this)->item(index)->data(Qt::UserRole).toInt() : 0;
}

int ListBox::currentIndex() const { return list(this)->currentRow(); }

void ListBox::setCurrentIndex(int index)
{
    QSignalBlocker block(widget());
    list(this)->setCurrentRow(inRange(index, itemCount()) ? index : -1);
}

// ---- GroupBox ---------------------------------------------------------------

GroupBox::GroupBox(Container& parent, const Text& name, const Rect& r, const Text& caption)
    : Unit(name, new QGroupBox(toQString(caption), parentOf(parent)), r)
{
}

Text GroupBox::caption() const { return fromQString(static_cast<QGroupBox*>(widget())->title()); }
void GroupBox::setCaption(const Text& c) { static_cast<QGroupBox*>(widget())->setTitle(toQString(c)); }

// ---- PictureBox -------------------------------------------------------------

PictureBox::PictureBox(Container& parent, const Text& name, const Rect& r, const Bytes& picture)
    : Unit(name, new MouseWidget<QLabel>(parentOf(parent)), r)
{
    auto* label = static_cast<MouseWidget<QLabel>*>(widget());
    label->down = &mouseDown;
    label->up = &mouseUp;
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPicture(picture);
}

void PictureBox::setPicture(const Bytes& bytes)
{
    picture_ = bytes;
    static_cast<QLabel*>(widget())->setPixmap(pixmapFromBytes(bytes));
}

void PictureBox::setPictureFile(const Text& path) { setPicture(readFile(path)); }

void PictureBox::setBackgroundColour(int colour)
{
    QPalette palette = widget()->palette();
    palette.setColor(QPalette::Window, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    widget()->setPalette(palette);
    widget()->setAutoFillBackground(true);
}

WindowHandle unitWindowHandle(const Unit& unit) { return &unit; }

Bytes windowSnapshot(WindowHandle handle)
{
    if (!handle || !handle->widget())
        return {};
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    handle->widget()->grab().toImage().save(&buffer, "BMP");
    return bmp.toStdString();
}

// ---- TabControl -------------------------------------------------------------

class TabControl::Page : public Container {
public:
    explicit Page(QWidget* w) : widget_(w) {}
    QWidget* containerWidget() const override { return widget_; }

private:
    QWidget* widget_;
};

namespace {
QTabWidget* tabs(const Unit* u) { return static_cast<QTabWidget*>(u->widget()); }

class PageSwitchGuard : public QObject {
public:
    explicit PageSwitchGuard(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return qobject_cast<QTabBar*>(watched) != nullptr;
        case QEvent::KeyPress: {
            if (qobject_cast<QTabBar*>(watched))
                return true;
            auto* key = static_cast<QKeyEvent*>(event);
            bool pageKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                           || key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
            return pageKey && (key->modifiers() & Qt::ControlModifier);
        }
        default:
            return false;
        }
    }
};
}

TabControl::TabControl(Container& parent, const Text& name, const Rect& r,
                       const std::vector<Text>& pages, bool userMaySwitch)
    : Unit(name, new QTabWidget(parentOf(parent)), r)
{
    for (const Text& caption : pages) {
        auto* page = new QWidget;
        tabs(this)->addTab(page, toQString(caption));
        pages_.push_back(std::make_unique<Page>(page));
    }
    if (!userMaySwitch) {
        // Only the program changes the page: the headers ignore the mouse
        // and the keyboard.
        auto* guard = new PageSwitchGuard(tabs(this));
        tabs(this)->installEventFilter(guard);
        tabs(this)->tabBar()->installEventFilter(guard);
        tabs(this)->tabBar()->setFocusPolicy(Qt::NoFocus);
    }
    QObject::connect(tabs(this), &QTabWidget::currentChanged, [this] { fire(pageChanged); });
}

TabControl::~TabControl() = default;

Container& TabControl::page(int index) { return *pages_.at(static_cast<size_t>(index)); }
int TabControl::pageCount() const { return static_cast<int>(pages_.size()); }
int TabControl::currentPage() const { return tabs(this)->currentIndex(); }

void TabControl::setCurrentPage(int index)
{
    if (!inRange(index, pageCount()))
        return;
    QSignalBlocker block(widget());
    tabs(this)->setCurrentIndex(index);
}

// ---- ProgressBar, ImageButton, Canvas ---------------------------------------

ProgressBar::ProgressBar(Container& parent, const Text& name, const Rect& r, int maximum)
    : Unit(name, new QProgressBar(parentOf(parent)), r)
{
    auto* bar = static_cast<QProgressBar*>(widget());
    bar->setRange(0, maximum);
    bar->setValue(0);
}

int ProgressBar::position() const { return static_cast<QProgressBar*>(widget())->value(); }
void ProgressBar::setPosition(int p) { static_cast<QProgressBar*>(widget())->setValue(p); }

ImageButton::ImageButton(Container& parent, const Text& name, const Rect& r, const Bytes& picture)
    : Unit(name, new QToolButton(parentOf(parent)), r)
{
    setPicture(picture);
    QObject::connect(static_cast<QToolButton*>(widget()), &QToolButton::clicked,
                     [this] { fire(clicked); });
}

void ImageButton::setPicture(const Bytes& picture)
{
    auto* button = static_cast<QToolButton*>(widget());
    QPixmap pixmap = pixmapFromBytes(picture);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(button->size());
}

Canvas::Canvas(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new QWidget(parentOf(parent)), r)
{
}

// ---- Timer ------------------------------------------------------------------

struct Timer::Impl {
    QTimer timer;
};

Timer::Timer(const Text& name, int period) : name_(name)
{
    ensureRuntime();
    impl_ = std::make_unique<Impl>();
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] { fire(tick); });
    setPeriod(period);
}

Timer::~Timer() = default;

void Timer::setPeriod(int period)
{
    period_ = period;
    if (period <= 0) {
        impl_->timer.stop();
        return;
    }
    // Very short periods only copy a position: a few per frame are enough.
    impl_->timer.start(std::max(period, 15));
}
