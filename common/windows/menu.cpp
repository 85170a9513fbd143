#include "common/windows/menu.h"

#include "common/dialogs/interaction.h"
#include "common/internal/dispatch.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu* QtObjects::menu(const Menu& menu) { return menu.menu_; }
QAction* QtObjects::shortcutAction(const Menu& menu) { return menu.shortcutAction_; }
QAction* QtObjects::action(const MenuItem& item) { return item.action_; }

Menu::Menu(Window& window, const Text& caption, int shortcutCode)
    : window_(window), menu_(QtObjects::menuBar(window)->addMenu(toQString(caption)))
{
    QObject::connect(menu_, &QMenu::aboutToShow, [this] { fire(menu_, clicked); });
    if (shortcutCode != 0) {
        shortcutAction_ = new QAction(menu_);
        QObject::connect(shortcutAction_, &QAction::triggered, [this] { fire(shortcutAction_, clicked); });
        QtObjects::registerShortcut(window, shortcutAction_, shortcutCode, true);
    }
}

Menu::Menu(Menu& parent, const Text& caption)
    : window_(parent.window_), menu_(parent.menu_->addMenu(toQString(caption)))
{
}

void Menu::addSeparator() { menu_->addSeparator(); }
Text Menu::caption() const { return fromQString(menu_->title()); }

MenuItem::MenuItem(Menu& menu, const Text& name, const Text& caption, int shortcutCode)
    : name_(name), action_(QtObjects::menu(menu)->addAction(toQString(caption)))
{
    action_->setObjectName(toQString(name));
    QObject::connect(action_, &QAction::triggered, [this] {
        if (action_->isCheckable()) {
            // Qt has flipped the mark already; undo it, the handler decides.
            QSignalBlocker block(action_);
            action_->setChecked(!action_->isChecked());
        }
        fire(action_, clicked);
    });
    QtObjects::registerShortcut(menu.window(), action_, shortcutCode, false);
}

Text MenuItem::caption() const { return fromQString(action_->text()); }
void MenuItem::setCaption(const Text& caption) { action_->setText(toQString(caption)); }
bool MenuItem::checked() const { return action_->isChecked(); }

void MenuItem::setChecked(bool checked)
{
    action_->setCheckable(true);
    // The program owns the mark: a click must not flip it by itself.
    QSignalBlocker block(action_);
    action_->setChecked(checked);
}

bool MenuItem::disabled() const { return !action_->isEnabled(); }
void MenuItem::setDisabled(bool disabled) { action_->setEnabled(!disabled); }
void MenuItem::setVisible(bool visible) { action_->setVisible(visible); }

void triggerMenuItem(MenuItem& item) { item.action_->trigger(); }

void popupMenu(Menu& menu) { interaction().popupMenu(menu); }
