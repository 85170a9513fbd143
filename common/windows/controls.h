#pragma once
// The basic unit kinds. Setters called by the program never raise the
// selection or current-item events; those run for the user's actions only.
// The right mouse button never changes a current item or row.
#include "common/windows/unit.h"

#include <memory>
#include <vector>

class Button : public Unit {
public:
    Button(Container& parent, const Text& name, const Rect& r, const Text& caption);
    Text caption() const override;
    void setCaption(const Text& caption) override;
    std::function<void()> clicked;
};

class EditBox : public Unit {
public:
    enum Mode { SingleLine, Password, MultiLine, DateTimeText };
    EditBox(Container& parent, const Text& name, const Rect& r, const Text& content = "",
            Mode mode = SingleLine);
    // The text exactly as typed or set, never trimmed. In date mode a text
    // that is a date (year, month and day with "-", "/", "." or 年月日)
    // reads, and shows once the box is left, as "YYYY-MM-DD", so that dates
    // sort as texts; any other text stays as typed.
    Text content() const;
    void setContent(const Text& content);
    Text caption() const override { return content(); }
    void setCaption(const Text& caption) override { setContent(caption); }
    // Every character typed, with its code (Enter is 13); the box still takes it.
    std::function<void(int code)> keyChar;
    // Raised for every change of the content, the program's own included.
    std::function<void()> changed;

private:
    Mode mode_;
};

class Label : public Unit {
public:
    Label(Container& parent, const Text& name, const Rect& r, const Text& caption);
    Text caption() const override;
    void setCaption(const Text& caption) override;
    std::function<void(int button)> mouseDown;
    std::function<void(int button)> mouseUp;
};

class CheckBox : public Unit {
public:
    CheckBox(Container& parent, const Text& name, const Rect& r, const Text& caption,
             bool checked = false);
    Text caption() const override;
    void setCaption(const Text& caption) override;
    bool checked() const;
    void setChecked(bool checked);
    std::function<void()> clicked;   // after the tick has changed
};

// Radio buttons with one parent form one group.
class RadioButton : public Unit {
public:
    RadioButton(Container& parent, const Text& name, const Rect& r, const Text& caption,
                bool checked = false);
    Text caption() const override;
    void setCaption(const Text& caption) override;
    bool checked() const;
    void setChecked(bool checked);
    std::function<void()> clicked;
};

// A drop-down list: its text is the current item's text, and no current
// item (index -1) means no text; the placeholder shows then.
class ComboBox : public Unit {
public:
    ComboBox(Container& parent, const Text& name, const Rect& r,
             const std::vector<Text>& items = {}, int current = -1);
    void addItem(const Text& text, int value = 0);
    void clearItems();
    int itemCount() const;
    Text itemText(int index) const;          // "" outside the list
    int itemValue(int index) const;          // 0 outside the list
    void setItem(int index, const Text& text, int value);   // ignored outside
    int currentIndex() const;                // -1 for none
    void setCurrentIndex(int index);         // -1 or out of range: none
    Text currentText() const;
    int currentValue() const;
    void setPlaceholder(const Text& text);
    Text caption() const override { return currentText(); }
    std::function<void()> selectionChanged;
};

class ListBox : public Unit {
public:
    ListBox(Container& parent, const Text& name, const Rect& r);
    void addItem(const Text& text, int value = 0);
    void removeItem(int index);
    void clearItems();
    int itemCount() const;
    Text itemText(int index) const;
    int itemValue(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    std::function<void()> doubleClicked;
    std::function<void()> selectionChanged;
};

class GroupBox : public Unit, public Container {
public:
    GroupBox(Container& parent, const Text& name, const Rect& r, const Text& caption);
    Text caption() const override;
    void setCaption(const Text& caption) override;

private:
    QWidget* containerWidget() const override { return widget(); }
};

// Shows a picture from its file bytes (any common format) and keeps those
// bytes unchanged; units may lie on it. The picture shows whole: one larger
// than the box is scaled down to fit, keeping its proportions, and it sits
// in the middle of the box; a stretched picture covers the box instead.
class PictureBox : public Unit, public Container {
public:
    PictureBox(Container& parent, const Text& name, const Rect& r, const Bytes& picture = "");
    const Bytes& picture() const { return picture_; }
    void setPicture(const Bytes& bytes);     // "" clears
    void setPictureFile(const Text& path);   // missing file: empty picture
    void setStretched(bool stretched);       // not stretched at first
    void setBackgroundColour(int colour);
    std::function<void(int button)> mouseDown;
    std::function<void(int button)> mouseUp;

private:
    Bytes picture_;

private:
    QWidget* containerWidget() const override { return widget(); }
};

// The handle of a unit for windowSnapshot.
using WindowHandle = const Unit*;
WindowHandle unitWindowHandle(const Unit& unit);
// BMP file bytes of the unit as shown: visible children included, hidden
// ones left out. "" for a null handle.
Bytes windowSnapshot(WindowHandle handle);

// Pages are containers whose units are placed relative to the control's
// top-left corner, tab strip included. The user switches pages only when
// allowed; a control only the program switches shows no strip. The
// program's setCurrentPage never raises pageChanged.
class TabControl : public Unit {
public:
    TabControl(Container& parent, const Text& name, const Rect& r,
               const std::vector<Text>& pages, bool userMaySwitch = true);
    ~TabControl() override;
    Container& page(int index);
    int pageCount() const;
    int currentPage() const;
    void setCurrentPage(int index);
    std::function<void()> pageChanged;

private:
    class Page;
    void showCurrentSurface();
    std::vector<std::unique_ptr<Page>> pages_;
};

class ProgressBar : public Unit {
public:
    ProgressBar(Container& parent, const Text& name, const Rect& r, int maximum = 100);
    int position() const;
    void setPosition(int position);
};

// A button that shows only a picture.
class ImageButton : public Unit {
public:
    ImageButton(Container& parent, const Text& name, const Rect& r, const Bytes& picture = "");
    void setPicture(const Bytes& picture);
    std::function<void()> clicked;
};

// A plain surface that holds other units.
class Canvas : public Unit, public Container {
public:
    Canvas(Container& parent, const Text& name, const Rect& r);

private:
    QWidget* containerWidget() const override { return widget(); }
};

// Period 0 stops the timer, any other period (milliseconds) starts it.
// Ticks come only from the event loop, and end when the window closes.
class Timer {
public:
    Timer(Container& window, const Text& name, int period = 0);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    const Text& name() const { return name_; }
    int period() const { return period_; }
    void setPeriod(int period);
    std::function<void()> tick;

private:
    Text name_;
    int period_ = 0;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
