// Test helpers for reading the folder tree's nodes: the texts of a node's children, a child by
// its text, and how soon a change on disk shows in the tree.
#pragma once

#include <QStringList>
#include <QTreeWidgetItem>

namespace glyphora::test {

// The tree shows a folder change within a second of it happening on disk.
inline constexpr int kChangeShownWithinMs = 1000;

inline QStringList ChildTexts(const QTreeWidgetItem* node)
{
    QStringList texts;
    for (int i = 0; i < node->childCount(); ++i)
        texts << node->child(i)->text(0);
    return texts;
}

// The first child with that text, or null.
inline QTreeWidgetItem* Child(const QTreeWidgetItem* node, const QString& text)
{
    for (int i = 0; i < node->childCount(); ++i)
        if (node->child(i)->text(0) == text) return node->child(i);
    return nullptr;
}

} // namespace glyphora::test
