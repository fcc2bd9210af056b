// FolderDialog: asks for a folder with the folder tree. It opens at directory() (the current
// folder of the process when that is empty), shows the selected node's path as its status
// line, and accepts only a node that has a file-system path; directory() then holds the
// chosen folder and carries it to the next time the dialog opens.
#pragma once

#include <QDialog>

#include <filesystem>

class QDialogButtonBox;
class QLabel;

namespace glyphora {

class FolderTree;

class FolderDialog final : public QDialog {
    Q_OBJECT
public:
    explicit FolderDialog(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    const std::filesystem::path& directory() const { return directory_; }
    void setDirectory(const std::filesystem::path& directory) { directory_ = directory; }

    // Runs the dialog: true when a folder was chosen (it is then directory()).
    bool execute();

    FolderTree* tree() const { return tree_; }
    QLabel* statusLabel() const { return status_; }

    // Prepares the dialog for showing (the opening folder, the selection); execute() and
    // tests that drive the dialog without a nested event loop call it.
    void prepare();

    void accept() override;

private:
    void selectionChanged();

    FolderTree* tree_;
    QLabel* title_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    std::filesystem::path directory_;
};

} // namespace glyphora
