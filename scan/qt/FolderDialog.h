// FolderDialog: asks for a folder with the folder tree. It opens at directory() (the current
// folder of the process when that is empty) with that folder's row in view, and follows
// folders made or removed on disk while it is open, as the tree does everywhere.
//
// The path field below the tree shows the selected folder and takes a typed one: a path
// relative to the selected folder or absolute, naming a folder that exists or a new one inside
// a folder that exists (the caller makes it). OK (or Enter in the field) accepts what the field
// names; a path that leads nowhere moves the tree as far as it exists and says so in the
// status line. "New Folder" makes a folder in the selected one, selects it and opens its name
// for editing; the edited name renames it on disk. directory() then holds the chosen folder
// and carries it to the next time the dialog opens.
#pragma once

#include "platform/qt/QtFolderRoots.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <filesystem>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace glyphora {

class FolderTree;

// The dialog's own words; the caller puts its language's in place of these.
struct FolderDialogTexts {
    QString folderField = QStringLiteral("&Folder:");
    QString newFolder = QStringLiteral("&New Folder"); // without "&", also the name of the folder it makes
    QString showHiddenFolders = QStringLiteral("Show Hidden Folders");
    QString notFound = QStringLiteral("File not found:\n%1"); // %1: the path typed
    FolderRootTexts roots;                                    // the tree's words for its roots
};

class FolderDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FolderDialog(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setTexts(const FolderDialogTexts& texts);
    const std::filesystem::path& directory() const { return directory_; }
    void setDirectory(const std::filesystem::path& directory) { directory_ = directory; }

    // Runs the dialog: true when a folder was chosen (it is then directory()).
    bool execute();

    FolderTree* tree() const { return tree_; }
    QLineEdit* pathField() const { return pathField_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* newFolderButton() const { return newFolderButton_; }
    QPushButton* okButton() const;

    // Prepares the dialog for showing (the opening folder, the selection); execute() and
    // tests that drive the dialog without a nested event loop call it.
    void prepare();

    void accept() override;

private:
    void selectionChanged();
    void makeFolder();
    void finishRename();
    // What the path field names: a relative path is taken from the selected folder.
    std::filesystem::path typedPath() const;

    FolderTree* tree_;
    QLabel* title_;
    QLabel* status_;
    QLabel* pathLabel_;
    QLineEdit* pathField_;
    QPushButton* newFolderButton_;
    QDialogButtonBox* buttons_;
    FolderDialogTexts texts_;
    std::filesystem::path directory_;
    std::filesystem::path renaming_; // the folder whose name is being edited, if any
    QPointer<QWidget> renameEditor_; // the editor of that name
};

} // namespace glyphora
