// The window's keyboard commands: one table of shortcuts, and one action per command.
#include "app/gui/ActionManager.h"

#include <QAction>
#include <QWidget>

namespace glyphora {

namespace {

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

QList<QKeySequence> WithCtrl(Qt::Key key)
{
    return {QKeySequence(QKeyCombination(Qt::ControlModifier, key))};
}

constexpr WindowCommand kCommands[] = {WindowCommand::StopScan, WindowCommand::Copy,    WindowCommand::Open,
                                       WindowCommand::Print,    WindowCommand::Refresh, WindowCommand::SaveSelected,
                                       WindowCommand::Help};

} // namespace

QList<QKeySequence> ShortcutsFor(WindowCommand command)
{
    switch (command) {
    case WindowCommand::StopScan: return WithAnyModifiers(Qt::Key_Escape);
    case WindowCommand::Help: return WithAnyModifiers(Qt::Key_F1);
    case WindowCommand::Copy: return WithCtrl(Qt::Key_C);
    case WindowCommand::Open: return WithCtrl(Qt::Key_O);
    case WindowCommand::Print: return WithCtrl(Qt::Key_P);
    case WindowCommand::Refresh: return WithCtrl(Qt::Key_R);
    case WindowCommand::SaveSelected: return WithCtrl(Qt::Key_S);
    case WindowCommand::None: break;
    }
    return {};
}

WindowCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers relevant = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const QKeySequence pressed(QKeyCombination(relevant, static_cast<Qt::Key>(key)));
    for (WindowCommand command : kCommands)
        if (ShortcutsFor(command).contains(pressed)) return command;
    return WindowCommand::None;
}

QString WithShortcutHint(const QString& text, WindowCommand command)
{
    const QList<QKeySequence> shortcuts = ShortcutsFor(command);
    if (shortcuts.isEmpty()) return text;
    return text + QStringLiteral(" (") + shortcuts.front().toString(QKeySequence::NativeText) + QLatin1Char(')');
}

ActionManager::ActionManager(QWidget* window) : QObject(window)
{
    for (WindowCommand command : kCommands) {
        auto* action = new QAction(window); // owned by the window
        action->setShortcuts(ShortcutsFor(command));
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        actions_[static_cast<std::size_t>(command)] = action;
    }
}

QAction* ActionManager::action(WindowCommand command) const
{
    return actions_.at(static_cast<std::size_t>(command));
}

} // namespace glyphora
