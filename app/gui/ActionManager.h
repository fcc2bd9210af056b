// The window's action library: every command of the window (each menu item, toolbar button,
// keyboard shortcut and the find pane's buttons) is one QAction defined in one table, with its
// text id, hint, icon, keys and the rule that enables it. The menus, the toolbar buttons and the
// shortcuts are built from that table here and nowhere else; the window and its parts only say
// what a command does (setHandler) and report the facts the rules read (setCondition).
//
// A button takes its enabled state, caption, hint and icon from its action and triggers it
// when clicked; a popup button opens its action's menu. A key runs its command only while the
// command is enabled, so a key whose command cannot run now (Escape while no scan runs) reaches
// the focused control as if the window had no such key. Copy's key is the exception the window
// has always had: it runs whether or not the copy button is enabled, and warns when nothing is
// selected. Each key press runs its command once, whichever control has the focus; a text field
// that uses a key itself (Ctrl+C in an edit box) keeps it, as Qt's shortcut override gives the
// focused control the first say.
//
// Adding a command: a value in Command, a row in the table of ActionManager.cpp (and its place
// in a menu or the toolbar there), and a setHandler call where its work is done.
#pragma once

#include "app/gui/RecentFiles.h"
#include "export/OutputKind.h"

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <Qt>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace glyphora {

class FaceButton;
class PopupButton;
class PushButton;
class SoftButton;

enum class Command {
    Open,              // the open button (its arrow holds the recent files), Ctrl+O
    Save,              // the save button, which opens the save menu
    SaveSelected,      // Ctrl+S
    SaveAllAsOneImage, //
    SaveAllAs,         // one item per picture kind, in the "Save All" submenu
    SaveIconSet,       // the selected icon's images as a theme or flat
    ExportHtml,
    ExportDbase,
    ExportPdf,
    ExportXlsx,
    Copy,    // Ctrl+C
    Print,   // Ctrl+P
    Refresh, // Ctrl+R
    Options, // the options button, which opens the options menu
    Language,
    ShowIconWindow,
    LargeIcons,
    SmallIcons,
    SaveToRegistry,
    Help,           // F1
    About,          //
    StopScan,       // Escape, while a scan runs
    ToggleFindPane, // the find button; checked while the pane is shown
    GoToFileFolder, // the folder button of the find strip
    SaveListed,     // the find pane's save button, which opens its menu
    SaveListedAs,   // one item per picture kind in that menu
};

// Commands with one action per member: the picture kinds (member n is kPictureKinds[n]) and
// the languages (by language index).
inline constexpr int kPictureKindCount = static_cast<int>(kPictureKinds.size());

enum class Menu { RecentFiles, Save, SaveAll, Options, Language, IconSize, SaveListed };

// The facts the enabled rules read. The window reports whether the open file has icons; the
// find pane whether a scan runs and whether its list holds files.
enum class Condition { FileHasIcons, Scanning, FilesListed };

// The key sequences of a command: Escape and F1 with any modifiers; C, O, P, R and S with
// exactly Ctrl; none for the other commands.
QList<QKeySequence> ShortcutsFor(Command command);

// The command a key with modifiers runs, looked up in the same table.
std::optional<Command> CommandForKey(int key, Qt::KeyboardModifiers modifiers);

// text followed by the command's first shortcut in the desktop's notation: "Open a file (Ctrl+O)".
QString WithShortcutHint(const QString& text, Command command);

class ActionManager final : public QObject {
public:
    // Runs a command's handler; the window's version shows a failure in its error box.
    using Guard = std::function<void(const std::function<void()>&)>;

    // Creates every action, with the built-in texts, and the menus; adds the actions with keys
    // to window, so their shortcuts work wherever the focus is inside it.
    ActionManager(QWidget* window, Guard guard);
    ~ActionManager() override;

    QAction* action(Command command) const;
    // A member of a command with members (a picture kind, a language).
    QAction* action(Command command, int member) const;
    // All members, by member index.
    const std::vector<QAction*>& members(Command command) const;
    QMenu* menu(Menu menu) const;

    // What a command does. A checkable command's handler gets the new checked state; a
    // command with members gets the member.
    void setHandler(Command command, std::function<void()> handler);
    void setCheckHandler(Command command, std::function<void(bool checked)> handler);
    void setMemberHandler(Command command, std::function<void(int member)> handler);

    void setCondition(Condition condition, bool holds);
    bool condition(Condition condition) const;

    // The buttons. addToolbar places the toolbar's buttons in the window's toolbar strip;
    // addButton makes the button of one command (the find strip's and the find pane's).
    void addToolbar(QWidget* strip);
    FaceButton* addButton(Command command, QWidget* parent);
    FaceButton* button(Command command) const;
    SoftButton* softButton(Command command) const;
    PopupButton* popupButton(Command command) const;
    PushButton* pushButton(Command command) const;

    // The texts: the pack's, falling back on the built-in English ones (as the window starts),
    // or the pack's as they come, also when empty (after a language switch).
    void applyBuiltInTexts();
    void applyPackTexts();

    // The recent files' entries of the open button's menu, newest first, then "<Empty>" when
    // there are none. open runs when an entry is chosen, hover when it is highlighted.
    void setRecentFiles(const std::vector<RecentEntry>& entries, std::function<void(const std::string&)> open,
                        std::function<void(const std::string&)> hover);
    QAction* recentEmptyAction() const { return recentEmpty_; }

private:
    struct Entry;
    Entry& entry(Command command) const;
    void buildMenus(QWidget* window);
    void applyTexts(const std::function<QString(int)>& text);
    void updateTexts(Entry& entry);
    void updateEnabled();
    void bind(FaceButton* button, QAction* action, bool showsText);

    Guard guard_;
    std::map<Command, std::unique_ptr<Entry>> entries_;
    std::map<Menu, QMenu*> menus_;
    std::map<Condition, bool> conditions_;
    std::function<QString(int)> textSource_;
    QAction* recentEmpty_ = nullptr;
};

} // namespace glyphora
