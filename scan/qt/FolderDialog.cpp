// The folder dialog over the folder tree.
#include "scan/qt/FolderDialog.h"

#include "platform/qt/QtPaths.h"
#include "scan/qt/FolderTree.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <system_error>

namespace glyphora {

FolderDialog::FolderDialog(QWidget* parent)
    : QDialog(parent),
      tree_(new FolderTree(this)),
      title_(new QLabel(this)),
      status_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    tree_->setObjectName(QStringLiteral("folderTree"));
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    title_->setWordWrap(true);
    auto* column = new QVBoxLayout(this);
    column->addWidget(title_);
    column->addWidget(tree_, 1);
    column->addWidget(status_);
    column->addWidget(buttons_);
    resize(360, 420);
    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FolderDialog::reject);
    connect(tree_, &FolderTree::folderChanged, this, &FolderDialog::selectionChanged);
    selectionChanged();
}

void FolderDialog::setTitle(const QString& title)
{
    setWindowTitle(title);
    title_->setText(title);
}

void FolderDialog::prepare()
{
    std::filesystem::path start = directory_;
    if (start.empty()) {
        std::error_code ignored;
        start = std::filesystem::current_path(ignored);
    }
    tree_->setFolder(start);
    status_->setText(QStringFromPath(start));
}

bool FolderDialog::execute()
{
    prepare();
    return exec() == QDialog::Accepted;
}

void FolderDialog::accept()
{
    const std::filesystem::path chosen = tree_->folder();
    if (chosen.empty()) return; // a node without a file-system path cannot be chosen
    directory_ = chosen;
    QDialog::accept();
}

void FolderDialog::selectionChanged()
{
    const std::filesystem::path folder = tree_->folder();
    if (!folder.empty()) status_->setText(QStringFromPath(folder));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!folder.empty());
}

} // namespace glyphora
