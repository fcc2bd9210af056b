// The folder dialog over the folder tree: the tree, the path field, making and naming a folder.
#include "scan/qt/FolderDialog.h"

#include "platform/qt/QtPaths.h"
#include "scan/qt/FolderTree.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <system_error>
#include <utility>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

QString WithoutShortcutMark(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

bool IsFolder(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

} // namespace

FolderDialog::FolderDialog(QWidget* parent)
    : QDialog(parent),
      tree_(new FolderTree(this)),
      title_(new QLabel(this)),
      status_(new QLabel(this)),
      pathLabel_(new QLabel(this)),
      pathField_(new QLineEdit(this)),
      newFolderButton_(new QPushButton(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    tree_->setObjectName(QStringLiteral("folderTree"));
    status_->setObjectName(QStringLiteral("statusLabel"));
    pathField_->setObjectName(QStringLiteral("pathField"));
    newFolderButton_->setObjectName(QStringLiteral("newFolderButton"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setWordWrap(true);
    status_->hide();
    title_->setWordWrap(true);
    pathLabel_->setBuddy(pathField_);
    newFolderButton_->setAutoDefault(false);

    auto* column = new QVBoxLayout(this);
    column->addWidget(title_);
    column->addWidget(tree_, 1);
    auto* pathRow = new QGridLayout;
    pathRow->addWidget(pathLabel_, 0, 0);
    pathRow->addWidget(pathField_, 0, 1);
    pathRow->setColumnStretch(1, 1);
    column->addLayout(pathRow);
    column->addWidget(status_);
    // Making a folder stands apart from the buttons that close the dialog, at the left.
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(newFolderButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons_);
    column->addLayout(buttonRow);
    resize(420, 460);

    connect(buttons_, &QDialogButtonBox::accepted, this, &FolderDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FolderDialog::reject);
    connect(newFolderButton_, &QPushButton::clicked, this, &FolderDialog::makeFolder);
    connect(tree_, &FolderTree::folderChanged, this, &FolderDialog::selectionChanged);
    connect(pathField_, &QLineEdit::textEdited, this, [this](const QString& text) {
        okButton()->setEnabled(!text.trimmed().isEmpty());
        status_->hide();
    });
    // The edited name is taken once its editor has closed, when the tree may be changed again.
    // An earlier editor that reports its end late (its deferred deletion) is not this one.
    connect(tree_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
        if (editor != nullptr && editor == renameEditor_) QTimer::singleShot(0, this, &FolderDialog::finishRename);
    });
    setTexts(texts_);
    selectionChanged();
}

void FolderDialog::setTitle(const QString& title)
{
    setWindowTitle(title);
    title_->setText(title);
}

void FolderDialog::setTexts(const FolderDialogTexts& texts)
{
    texts_ = texts;
    pathLabel_->setText(texts.folderField);
    newFolderButton_->setText(texts.newFolder);
    tree_->showHiddenFoldersAction()->setText(texts.showHiddenFolders);
    tree_->setRootsProvider([roots = texts.roots] { return FolderTreeRoots(roots); });
}

QPushButton* FolderDialog::okButton() const
{
    return buttons_->button(QDialogButtonBox::Ok);
}

void FolderDialog::prepare()
{
    fs::path start = directory_;
    if (start.empty()) {
        std::error_code ignored;
        start = fs::current_path(ignored);
    }
    tree_->setFolder(start);
    pathField_->setText(QStringFromPath(start));
    okButton()->setEnabled(!start.empty());
}

bool FolderDialog::execute()
{
    prepare();
    return exec() == QDialog::Accepted;
}

fs::path FolderDialog::typedPath() const
{
    const QString text = pathField_->text().trimmed();
    if (text.isEmpty()) return {};
    fs::path typed = PathFromQString(text);
    if (typed.is_relative()) {
        fs::path base = tree_->folder();
        if (base.empty()) {
            std::error_code ignored;
            base = fs::current_path(ignored);
        }
        typed = base / typed;
    }
    typed = typed.lexically_normal();
    if (!typed.has_filename() && typed.has_relative_path()) typed = typed.parent_path();
    return typed;
}

void FolderDialog::accept()
{
    const fs::path chosen = typedPath();
    if (chosen.empty()) return;
    // A folder that is there, or a new one in a folder that is there (the caller makes it).
    if (!IsFolder(chosen) && !IsFolder(chosen.parent_path())) {
        status_->setText(QString(texts_.notFound).arg(QStringFromPath(chosen)));
        status_->show();
        tree_->setFolder(chosen); // as far as the path exists
        return;
    }
    directory_ = chosen;
    QDialog::accept();
}

void FolderDialog::selectionChanged()
{
    const fs::path folder = tree_->folder();
    if (!folder.empty()) pathField_->setText(QStringFromPath(folder));
    okButton()->setEnabled(!pathField_->text().trimmed().isEmpty());
    newFolderButton_->setEnabled(!folder.empty());
}

void FolderDialog::makeFolder()
{
    QTreeWidgetItem* parent = tree_->currentItem();
    std::error_code error;
    QTreeWidgetItem* made = tree_->makeSubfolder(parent, WithoutShortcutMark(texts_.newFolder), error);
    if (made == nullptr) {
        status_->setText(QStringFromPath(tree_->pathOf(parent)) + QStringLiteral(": ") +
                         QString::fromLocal8Bit(error.message()));
        status_->show();
        return;
    }
    status_->hide();
    tree_->setCurrentItem(made);
    tree_->scrollToItem(made);
    renaming_ = tree_->pathOf(made);
    made->setFlags(made->flags() | Qt::ItemIsEditable);
    tree_->setFocus(Qt::OtherFocusReason);
    tree_->setChangesHeld(true); // until the name is taken
    tree_->editItem(made);
    renameEditor_ = tree_->indexWidget(tree_->currentIndex());
}

void FolderDialog::finishRename()
{
    if (renaming_.empty()) return;
    const fs::path folder = std::exchange(renaming_, {});
    renameEditor_ = nullptr;
    tree_->setChangesHeld(false);
    QTreeWidgetItem* node = tree_->findFolderNode(folder);
    if (node == nullptr || tree_->pathOf(node) != folder) return; // gone meanwhile
    node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    const QString name = node->text(0);
    if (name == QStringFromPath(folder.filename())) return;
    std::error_code error;
    QTreeWidgetItem* renamed = tree_->renameFolder(node, name, error);
    if (renamed == nullptr) {
        node->setText(0, QStringFromPath(folder.filename()));
        status_->setText(name + QStringLiteral(": ") + QString::fromLocal8Bit(error.message()));
        status_->show();
        return;
    }
    tree_->setCurrentItem(renamed);
    tree_->scrollToItem(renamed);
}

} // namespace glyphora
