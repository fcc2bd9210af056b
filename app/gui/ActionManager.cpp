// The window's action library: the table of commands, the menus and toolbar built from it,
// and the buttons that follow their actions.
#include "app/gui/ActionManager.h"

#include "app/gui/ToolbarIcons.h"
#include "app/gui/UiText.h"
#include "i18n/Languages.h"
#include "i18n/TextIds.h"
#include "widgets/PopupButton.h"
#include "widgets/PushButton.h"
#include "widgets/SoftButton.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QWidget>

#include <array>
#include <stdexcept>

namespace glyphora {

namespace {

enum class Keys { None, ExactlyCtrl, AnyModifiers };
enum class Members { None, PictureKinds, Languages };
enum class ButtonKind { None, Soft, Popup, Push };
enum class CommandIcon { None, Open, Save, Copy, Print, Refresh, Options, Help, About, Folder, SaveListed };

struct Facts {
    bool fileHasIcons = false;
    bool scanning = false;
    bool filesListed = false;
};

using EnabledRule = bool (*)(const Facts&);

bool Always(const Facts&)
{
    return true;
}
bool WhenFileHasIcons(const Facts& facts)
{
    return facts.fileHasIcons;
}
bool WhileScanning(const Facts& facts)
{
    return facts.scanning;
}
bool UnlessScanning(const Facts& facts)
{
    return !facts.scanning;
}
bool WhenFilesListed(const Facts& facts)
{
    return facts.filesListed && !facts.scanning;
}

// One command. name gives the object names ("open": openAction, openButton); a caption comes
// from textId, or is fixedText when no pack translates it; a checkable command shows
// checkedTextId while checked when it has one. The hint is the button's tooltip and status-bar
// text; its tooltip names the key of keyHintOf (the command's own key when unset).
struct CommandRow {
    Command command;
    const char* name;
    int textId = 0;
    const char* fixedText = nullptr;
    int checkedTextId = 0;
    int hintId = 0;
    CommandIcon icon = CommandIcon::None;
    Qt::Key key = Qt::Key_unknown;
    Keys keys = Keys::None;
    // The key runs the command also while the command is disabled (its button greyed).
    bool keyWhileDisabled = false;
    std::optional<Command> keyHintOf = std::nullopt;
    EnabledRule enabled = Always;
    bool checkable = false;
    Members members = Members::None;
    ButtonKind button = ButtonKind::None;
};

// clang-format off
const CommandRow kCommands[] = {
    {.command = Command::Open, .name = "open", .hintId = kTextHintOpen, .icon = CommandIcon::Open,
     .key = Qt::Key_O, .keys = Keys::ExactlyCtrl, .button = ButtonKind::Popup},
    {.command = Command::Save, .name = "save", .hintId = kTextHintSave, .icon = CommandIcon::Save,
     .keyHintOf = Command::SaveSelected, .enabled = WhenFileHasIcons, .button = ButtonKind::Popup},
    {.command = Command::SaveSelected, .name = "saveSelected", .textId = kTextMenuSaveSelected,
     .key = Qt::Key_S, .keys = Keys::ExactlyCtrl, .enabled = WhenFileHasIcons},
    {.command = Command::SaveAllAsOneImage, .name = "saveAllAsOneImage", .textId = kTextMenuSaveAllAsOneImage},
    {.command = Command::SaveAllAs, .name = "saveAllAs", .members = Members::PictureKinds},
    {.command = Command::SaveIconSet, .name = "saveIconSet", .textId = kTextMenuSaveIconSet},
    {.command = Command::ExportHtml, .name = "exportHtml", .textId = kTextMenuToHtml},
    {.command = Command::ExportDbase, .name = "exportDbase", .textId = kTextMenuToDbf},
    {.command = Command::ExportPdf, .name = "exportPdf", .textId = kTextMenuToPdf},
    {.command = Command::ExportXlsx, .name = "exportXlsx", .textId = kTextMenuToXlsx},
    {.command = Command::Copy, .name = "copy", .hintId = kTextHintCopy, .icon = CommandIcon::Copy,
     .key = Qt::Key_C, .keys = Keys::ExactlyCtrl, .keyWhileDisabled = true, .enabled = WhenFileHasIcons,
     .button = ButtonKind::Soft},
    {.command = Command::Print, .name = "print", .hintId = kTextHintPrint, .icon = CommandIcon::Print,
     .key = Qt::Key_P, .keys = Keys::ExactlyCtrl, .enabled = WhenFileHasIcons, .button = ButtonKind::Soft},
    {.command = Command::Refresh, .name = "refresh", .hintId = kTextHintRefresh, .icon = CommandIcon::Refresh,
     .key = Qt::Key_R, .keys = Keys::ExactlyCtrl, .enabled = WhenFileHasIcons, .button = ButtonKind::Soft},
    {.command = Command::Options, .name = "options", .hintId = kTextHintOptions, .icon = CommandIcon::Options,
     .button = ButtonKind::Popup},
    {.command = Command::Language, .name = "language", .checkable = true, .members = Members::Languages},
    {.command = Command::ShowIconWindow, .name = "showIconWindow", .textId = kTextMenuShowIconWindow,
     .checkable = true},
    {.command = Command::LargeIcons, .name = "largeIcons", .textId = kTextMenuSize32, .checkable = true},
    {.command = Command::SmallIcons, .name = "smallIcons", .textId = kTextMenuSize16, .checkable = true},
    {.command = Command::SaveToRegistry, .name = "saveToRegistry", .textId = kTextMenuSaveToRegistry,
     .checkable = true},
    {.command = Command::Help, .name = "help", .hintId = kTextHintHelp, .icon = CommandIcon::Help,
     .key = Qt::Key_F1, .keys = Keys::AnyModifiers, .button = ButtonKind::Soft},
    {.command = Command::About, .name = "about", .hintId = kTextHintAbout, .icon = CommandIcon::About,
     .button = ButtonKind::Soft},
    {.command = Command::StopScan, .name = "stopScan", .key = Qt::Key_Escape, .keys = Keys::AnyModifiers,
     .enabled = WhileScanning},
    {.command = Command::ToggleFindPane, .name = "find", .textId = kTextShowFindPane,
     .checkedTextId = kTextHideFindPane, .enabled = UnlessScanning, .checkable = true, .button = ButtonKind::Push},
    {.command = Command::GoToFileFolder, .name = "copyDir", .hintId = kTextHintGoToFileFolder,
     .icon = CommandIcon::Folder, .button = ButtonKind::Soft},
    {.command = Command::SaveListed, .name = "saveAllListed", .hintId = kTextHintSaveAllListed,
     .icon = CommandIcon::SaveListed, .enabled = WhenFilesListed, .button = ButtonKind::Popup},
    {.command = Command::SaveListedAs, .name = "saveListedAs", .members = Members::PictureKinds},
};
// clang-format on

// The captions of the members: each picture kind's, the languages by index.
int PictureKindTextId(OutputKind kind)
{
    switch (kind) {
    case OutputKind::Bmp: return kTextMenuAsBitmaps;
    case OutputKind::Jpeg: return kTextMenuAsJpeg;
    case OutputKind::Emf: return kTextMenuAsMetafiles;
    case OutputKind::Gif: return kTextMenuAsGif;
    case OutputKind::Png: return kTextMenuAsPng;
    case OutputKind::Icon:
    case OutputKind::Html:
    case OutputKind::Dbase:
    case OutputKind::Pdf:
    case OutputKind::Xlsx: break;
    }
    return kTextMenuAsIcons;
}
constexpr std::array<int, kLanguageCount> kLanguageTexts = {kTextMenuEnglish,  kTextMenuUkrainian, kTextMenuGreek,
                                                            kTextMenuRomanian, kTextMenuItalian,   kTextMenuPolish};
// The languages in the order the menu shows them.
constexpr std::array<int, kLanguageCount> kLanguageMenuOrder = {0, 4, 2, 1, 3, 5};

struct MenuRow {
    Menu menu;
    const char* name;
    int titleId; // submenus only
};

const MenuRow kMenus[] = {
    {Menu::RecentFiles, "recentFilesMenu", 0},           {Menu::Save, "saveMenu", 0},
    {Menu::SaveAll, "saveAllMenu", kTextMenuSaveAll},    {Menu::Options, "optionsMenu", 0},
    {Menu::Language, "languageMenu", kTextMenuLanguage}, {Menu::IconSize, "iconSizeMenu", kTextMenuIconSize},
    {Menu::SaveListed, "saveAllListedMenu", 0},
};

// The toolbar's buttons at their places in the 33-pixel strip: 27 pixels high, 3 from the top.
struct ToolbarPlace {
    Command command;
    int x;
    int width;
};

constexpr ToolbarPlace kToolbar[] = {
    {Command::Open, 8, 40},      {Command::Save, 56, 40},     {Command::Copy, 96, 27},  {Command::Print, 123, 27},
    {Command::Refresh, 158, 27}, {Command::Options, 193, 40}, {Command::Help, 241, 27}, {Command::About, 268, 27},
};

const CommandRow& RowOf(Command command)
{
    for (const CommandRow& row : kCommands)
        if (row.command == command) return row;
    throw std::logic_error("a command without a row in the action table");
}

int MemberCount(Members members)
{
    switch (members) {
    case Members::PictureKinds: return kPictureKindCount;
    case Members::Languages: return kLanguageCount;
    case Members::None: break;
    }
    return 0;
}

int MemberTextId(Members members, int member)
{
    const auto at = static_cast<std::size_t>(member);
    return members == Members::Languages ? kLanguageTexts.at(at) : PictureKindTextId(kPictureKinds.at(at));
}

// Every combination of Shift, Ctrl and Alt: Escape and F1 work with any of them held.
QList<QKeySequence> WithAnyModifiers(Qt::Key key)
{
    QList<QKeySequence> sequences;
    for (int bits = 0; bits < 8; ++bits) {
        Qt::KeyboardModifiers modifiers;
        if (bits & 1) modifiers |= Qt::ShiftModifier;
        if (bits & 2) modifiers |= Qt::ControlModifier;
        if (bits & 4) modifiers |= Qt::AltModifier;
        sequences.append(QKeySequence(QKeyCombination(modifiers, key)));
    }
    return sequences;
}

QIcon IconOf(CommandIcon icon)
{
    switch (icon) {
    case CommandIcon::Open: return ToolbarIcon(ToolbarGlyph::Open);
    case CommandIcon::Save: return ToolbarIcon(ToolbarGlyph::Save);
    case CommandIcon::Copy: return ToolbarIcon(ToolbarGlyph::Copy);
    case CommandIcon::Print: return ToolbarIcon(ToolbarGlyph::Print);
    case CommandIcon::Refresh: return ToolbarIcon(ToolbarGlyph::Refresh);
    case CommandIcon::Options: return ToolbarIcon(ToolbarGlyph::Options);
    case CommandIcon::Help: return ToolbarIcon(ToolbarGlyph::Help);
    case CommandIcon::About: return ToolbarIcon(ToolbarGlyph::About);
    case CommandIcon::Folder: return QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    case CommandIcon::SaveListed: return QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton);
    case CommandIcon::None: break;
    }
    return {};
}

} // namespace

QList<QKeySequence> ShortcutsFor(Command command)
{
    const CommandRow& row = RowOf(command);
    switch (row.keys) {
    case Keys::AnyModifiers: return WithAnyModifiers(row.key);
    case Keys::ExactlyCtrl: return {QKeySequence(QKeyCombination(Qt::ControlModifier, row.key))};
    case Keys::None: break;
    }
    return {};
}

std::optional<Command> CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers relevant = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const QKeySequence pressed(QKeyCombination(relevant, static_cast<Qt::Key>(key)));
    for (const CommandRow& row : kCommands)
        if (ShortcutsFor(row.command).contains(pressed)) return row.command;
    return std::nullopt;
}

QString WithShortcutHint(const QString& text, Command command)
{
    const QList<QKeySequence> shortcuts = ShortcutsFor(command);
    if (shortcuts.isEmpty()) return text;
    return text + QStringLiteral(" (") + shortcuts.front().toString(QKeySequence::NativeText) + QLatin1Char(')');
}

struct ActionManager::Entry {
    const CommandRow* row = nullptr;
    QAction* action = nullptr;
    QAction* keyAction = nullptr; // carries the keys of a command whose key works while it is disabled
    std::vector<QAction*> members;
    QMenu* dropDown = nullptr;
    FaceButton* button = nullptr;
    std::function<void()> handler;
    std::function<void(bool)> checkHandler;
    std::function<void(int)> memberHandler;
};

ActionManager::ActionManager(QWidget* window, Guard guard) : QObject(window), guard_(std::move(guard))
{
    for (const CommandRow& row : kCommands) {
        auto entry = std::make_unique<Entry>();
        entry->row = &row;
        Entry* e = entry.get();
        const QString name = QString::fromLatin1(row.name);
        e->action = new QAction(window); // the actions are owned by the window
        e->action->setObjectName(name + QStringLiteral("Action"));
        e->action->setCheckable(row.checkable);
        e->action->setIcon(IconOf(row.icon));
        connect(e->action, &QAction::triggered, this, [this, e](bool checked) {
            guard_([e, checked] {
                if (e->checkHandler) e->checkHandler(checked);
                if (e->handler) e->handler();
            });
        });
        if (row.checkedTextId != 0) connect(e->action, &QAction::toggled, this, [this, e] { updateTexts(*e); });
        const QList<QKeySequence> keys = ShortcutsFor(row.command);
        if (!keys.isEmpty()) {
            QAction* carrier = e->action;
            if (row.keyWhileDisabled) {
                e->keyAction = new QAction(window);
                e->keyAction->setObjectName(name + QStringLiteral("KeyAction"));
                connect(e->keyAction, &QAction::triggered, this, [this, e] {
                    guard_([e] {
                        if (e->handler) e->handler();
                    });
                });
                carrier = e->keyAction;
            }
            carrier->setShortcuts(keys);
            carrier->setShortcutContext(Qt::WindowShortcut);
            window->addAction(carrier);
        }
        for (int member = 0; member < MemberCount(row.members); ++member) {
            auto* action = new QAction(window);
            action->setObjectName(name + QStringLiteral("Action%1").arg(member));
            action->setCheckable(row.checkable);
            connect(action, &QAction::triggered, this, [this, e, member] {
                guard_([e, member] {
                    if (e->memberHandler) e->memberHandler(member);
                });
            });
            e->members.push_back(action);
        }
        entries_.emplace(row.command, std::move(entry));
    }
    recentEmpty_ = new QAction(QStringLiteral("<Empty>"), window);
    recentEmpty_->setObjectName(QStringLiteral("recentEmptyAction"));
    recentEmpty_->setEnabled(false);
    buildMenus(window);
    for (Condition condition : {Condition::FileHasIcons, Condition::Scanning, Condition::FilesListed})
        conditions_[condition] = false;
    updateEnabled();
    applyBuiltInTexts();
}

ActionManager::~ActionManager() = default;

void ActionManager::buildMenus(QWidget* window)
{
    for (const MenuRow& row : kMenus) {
        auto* menu = new QMenu(window); // owned by the window
        menu->setObjectName(QString::fromLatin1(row.name));
        menus_[row.menu] = menu;
    }
    const auto add = [this](Menu menu, Command command) { menus_.at(menu)->addAction(action(command)); };
    const auto addMembers = [this](Menu menu, Command command) {
        for (QAction* member : members(command))
            menus_.at(menu)->addAction(member);
    };

    // The save menu: one icon, all as one picture, the "Save All" submenu of picture kinds and
    // documents, and the icon set.
    add(Menu::Save, Command::SaveSelected);
    add(Menu::Save, Command::SaveAllAsOneImage);
    menus_.at(Menu::Save)->addMenu(menus_.at(Menu::SaveAll));
    add(Menu::Save, Command::SaveIconSet);
    addMembers(Menu::SaveAll, Command::SaveAllAs);
    menus_.at(Menu::SaveAll)->addSeparator();
    for (Command command : {Command::ExportHtml, Command::ExportDbase, Command::ExportPdf, Command::ExportXlsx})
        add(Menu::SaveAll, command);

    // The options menu: the languages as one radio group, the separate icon window, the icon
    // size and where the settings go.
    QMenu* options = menus_.at(Menu::Options);
    options->addMenu(menus_.at(Menu::Language));
    auto* group = new QActionGroup(menus_.at(Menu::Language)); // owned by the menu
    group->setExclusive(true);
    for (int language : kLanguageMenuOrder) {
        QAction* item = action(Command::Language, language);
        item->setActionGroup(group);
        menus_.at(Menu::Language)->addAction(item);
    }
    action(Command::Language, 0)->setChecked(true);
    options->addSeparator();
    add(Menu::Options, Command::ShowIconWindow);
    options->addMenu(menus_.at(Menu::IconSize));
    add(Menu::IconSize, Command::LargeIcons);
    add(Menu::IconSize, Command::SmallIcons);
    options->addSeparator();
    add(Menu::Options, Command::SaveToRegistry);

    addMembers(Menu::SaveListed, Command::SaveListedAs);
    menus_.at(Menu::RecentFiles)->addAction(recentEmpty_);

    entry(Command::Open).dropDown = menus_.at(Menu::RecentFiles);
    entry(Command::Save).dropDown = menus_.at(Menu::Save);
    entry(Command::Options).dropDown = menus_.at(Menu::Options);
    entry(Command::SaveListed).dropDown = menus_.at(Menu::SaveListed);
}

ActionManager::Entry& ActionManager::entry(Command command) const
{
    return *entries_.at(command);
}

QAction* ActionManager::action(Command command) const
{
    return entry(command).action;
}

QAction* ActionManager::action(Command command, int member) const
{
    return entry(command).members.at(static_cast<std::size_t>(member));
}

const std::vector<QAction*>& ActionManager::members(Command command) const
{
    return entry(command).members;
}

QMenu* ActionManager::menu(Menu menu) const
{
    return menus_.at(menu);
}

void ActionManager::setHandler(Command command, std::function<void()> handler)
{
    entry(command).handler = std::move(handler);
}

void ActionManager::setCheckHandler(Command command, std::function<void(bool)> handler)
{
    entry(command).checkHandler = std::move(handler);
}

void ActionManager::setMemberHandler(Command command, std::function<void(int)> handler)
{
    entry(command).memberHandler = std::move(handler);
}

void ActionManager::setCondition(Condition condition, bool holds)
{
    if (conditions_.at(condition) == holds) return;
    conditions_[condition] = holds;
    updateEnabled();
}

bool ActionManager::condition(Condition condition) const
{
    return conditions_.at(condition);
}

void ActionManager::updateEnabled()
{
    const Facts facts{conditions_.at(Condition::FileHasIcons), conditions_.at(Condition::Scanning),
                      conditions_.at(Condition::FilesListed)};
    for (auto& [command, entry] : entries_) {
        const bool enabled = entry->row->enabled(facts);
        entry->action->setEnabled(enabled);
        for (QAction* member : entry->members)
            member->setEnabled(enabled);
    }
}

void ActionManager::applyBuiltInTexts()
{
    applyTexts([](int id) { return UiText(id); });
}

void ActionManager::applyPackTexts()
{
    applyTexts([](int id) { return PackText(id); });
}

void ActionManager::applyTexts(const std::function<QString(int)>& text)
{
    textSource_ = text;
    for (auto& [command, entry] : entries_)
        updateTexts(*entry);
    for (const MenuRow& row : kMenus)
        if (row.titleId != 0) menus_.at(row.menu)->setTitle(text(row.titleId));
}

void ActionManager::updateTexts(Entry& entry)
{
    const CommandRow& row = *entry.row;
    const int caption = row.checkedTextId != 0 && entry.action->isChecked() ? row.checkedTextId : row.textId;
    if (caption != 0)
        entry.action->setText(textSource_(caption));
    else if (row.fixedText)
        entry.action->setText(QString::fromLatin1(row.fixedText));
    if (row.hintId != 0) {
        // The tooltip also names the key of the command; the status bar shows the text alone.
        const QString hint = textSource_(row.hintId);
        entry.action->setStatusTip(hint);
        entry.action->setToolTip(hint.isEmpty() ? hint : WithShortcutHint(hint, row.keyHintOf.value_or(row.command)));
    }
    for (std::size_t member = 0; member < entry.members.size(); ++member)
        entry.members[member]->setText(textSource_(MemberTextId(row.members, static_cast<int>(member))));
}

void ActionManager::addToolbar(QWidget* strip)
{
    for (const ToolbarPlace& place : kToolbar) {
        FaceButton* button = addButton(place.command, strip);
        button->setGeometry(place.x, 3, place.width, 27);
        button->setIconSize(QSize(16, 16));
    }
    // The open button's arrow holds the recent files; its main part opens the file dialog.
    popupButton(Command::Open)->setSeparateDropDown(true);
}

FaceButton* ActionManager::addButton(Command command, QWidget* parent)
{
    Entry& e = entry(command);
    if (e.button) throw std::logic_error("a command has one button");
    FaceButton* button = nullptr;
    switch (e.row->button) {
    case ButtonKind::Soft: button = new SoftButton(parent); break;
    case ButtonKind::Popup: button = new PopupButton(parent); break;
    case ButtonKind::Push: button = new PushButton(parent); break;
    case ButtonKind::None: throw std::logic_error("a command without a button");
    }
    button->setObjectName(QString::fromLatin1(e.row->name) + QStringLiteral("Button"));
    if (auto* popup = qobject_cast<PopupButton*>(button)) popup->setDropDown(e.dropDown);
    bind(button, e.action, e.row->button == ButtonKind::Push);
    e.button = button;
    return button;
}

// The button shows the action's state: enabled, caption (for a push button), hint and icon;
// a click triggers the action. A checkable action's button does not stay down.
void ActionManager::bind(FaceButton* button, QAction* action, bool showsText)
{
    const auto follow = [button, action, showsText] {
        button->setEnabled(action->isEnabled());
        if (showsText) button->setText(action->text());
        // Without a hint the button has no tooltip (an action's own tooltip defaults to its text).
        button->setToolTip(action->statusTip().isEmpty() ? QString() : action->toolTip());
        button->setStatusTip(action->statusTip());
        if (!action->icon().isNull()) button->setIcon(action->icon());
    };
    follow();
    connect(action, &QAction::changed, button, follow);
    connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
}

FaceButton* ActionManager::button(Command command) const
{
    return entry(command).button;
}

SoftButton* ActionManager::softButton(Command command) const
{
    return qobject_cast<SoftButton*>(button(command));
}

PopupButton* ActionManager::popupButton(Command command) const
{
    return qobject_cast<PopupButton*>(button(command));
}

PushButton* ActionManager::pushButton(Command command) const
{
    return qobject_cast<PushButton*>(button(command));
}

void ActionManager::setRecentFiles(const std::vector<RecentEntry>& entries,
                                   std::function<void(const std::string&)> open,
                                   std::function<void(const std::string&)> hover)
{
    QMenu* menu = menus_.at(Menu::RecentFiles);
    menu->clear(); // deletes the entries, which the menu owns; "<Empty>" is the window's
    for (const RecentEntry& recent : entries) {
        QAction* item = menu->addAction(QString::fromStdString(RecentCaption(recent.path)));
        item->setCheckable(true);
        item->setChecked(recent.checked);
        item->setStatusTip(QString::fromStdString(recent.path));
        item->setToolTip(QString::fromStdString(recent.path));
        const std::string path = recent.path;
        connect(item, &QAction::triggered, this, [this, open, path] { guard_([&] { open(path); }); });
        connect(item, &QAction::hovered, this, [hover, path] { hover(path); });
    }
    menu->addAction(recentEmpty_);
    recentEmpty_->setVisible(entries.empty());
}

} // namespace glyphora
