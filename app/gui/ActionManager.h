// The window's keyboard commands as QActions: each command is one action carrying its
// shortcuts, so that one key press runs its command exactly once, whichever control has the
// focus. A text field that uses a key itself (Ctrl+C in an edit box) keeps it, as Qt's
// shortcut override gives the focused control the first say.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <Qt>

#include <array>

class QAction;
class QWidget;

namespace glyphora {

enum class WindowCommand { None, StopScan, Copy, Open, Print, Refresh, SaveSelected, Help };

// The key sequences of a command: Escape and F1 with any modifiers; C, O, P, R and S with
// exactly Ctrl.
QList<QKeySequence> ShortcutsFor(WindowCommand command);

// The command a key with modifiers runs, looked up in the same table; None for other keys.
WindowCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers);

// text followed by the command's first shortcut in the desktop's notation: "Open a file (Ctrl+O)".
QString WithShortcutHint(const QString& text, WindowCommand command);

class ActionManager final : public QObject {
public:
    // Creates one action per command and adds it to window, so the shortcuts work wherever
    // the focus is inside that window.
    explicit ActionManager(QWidget* window);

    QAction* action(WindowCommand command) const;

private:
    static constexpr std::size_t kCommandCount = 8;
    std::array<QAction*, kCommandCount> actions_{};
};

} // namespace glyphora
