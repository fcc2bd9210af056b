// IconGrid: the painting control of the icon grid. It holds the icon list of its file and
// an IconGridModel for geometry, layout and selection, and paints the cells: background, the
// hint text, the highlighted selected cell, the icons and the focus mark. On a HiDPI screen
// each icon is drawn from the group image that fits the physical pixels of its cell, held
// beside the icon list (which the saves and exports read at the logical size, as before).
#pragma once

#include "export/CurrentIcons.h"
#include "iconengine/FileTypeIcons.h"
#include "iconview/IconGridModel.h"

#include <QImage>
#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

namespace glyphora {

class IconGridView;

class IconGrid final : public QWidget {
public:
    explicit IconGrid(IconGridView* scrollBox);

    // The file whose icons are shown; a new name (exact comparison) reloads.
    const std::filesystem::path& FileName() const { return current_.fileName; }
    void SetFileName(const std::filesystem::path& fileName);
    // Reloads the icons of FileName and lays the grid out; nothing selected afterwards.
    void Refresh();

    // Where the icon of a file without icons of its own comes from (the built-in provider
    // until the window hands on the desktop's); the provider must outlive the grid. It takes
    // effect with the next load.
    const FileTypeIconProvider& FileTypeIcons() const { return *fileTypeIcons_; }
    void SetFileTypeIcons(const FileTypeIconProvider& provider) { fileTypeIcons_ = &provider; }

    IconSizing Sizing() const { return model_.Sizing(); }
    void SetIconSizing(IconSizing sizing);

    int ItemIndex() const { return model_.ItemIndex(); }
    void SetItemIndex(int index);
    int Count() const { return model_.Count(); }
    const IconHandle& GetIcon(int index) const { return current_.icons.at(static_cast<std::size_t>(index)); }
    bool Associated() const { return current_.associated; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const std::string& UnableToLoadOrFindIconsMsg() const { return unableMsg_; }
    void SetUnableToLoadOrFindIconsMsg(const std::string& text);

    // The icons as the save operations read them, and the geometry.
    const CurrentIcons& Current() const { return current_; }
    const IconGridModel& Model() const { return model_; }
    int ColCount() const { return model_.ColCount(); }

    // Draws every icon at its icon rectangle (no background, no selection).
    void DrawAll(Bitmap& canvas) const { model_.DrawAll(canvas, current_.icons); }

    // The picture of cell index as painted on a screen of devicePixelRatio physical pixels a
    // logical one: ItemWidth x ItemHeight logical pixels; above a ratio of 1 drawn from the
    // icon chosen for the physical size.
    QImage CellImage(int index, QColor background, double devicePixelRatio) const;

    // The message painted in the middle, or "" (the rule of the grid's painting).
    std::string MessageText() const;

    // Called by the scroll box: its client area changed size.
    void FollowScrollBoxWidth(int clientWidth);
    // Selection through the scroll box: keys, wheel, mouse.
    void ApplySelection(const SelectionChange& change);
    IconGridModel& MutableModel() { return model_; }
    void SyncViewport();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ResizeToModel();
    // The icons of the file for a device pixel ratio above 1, read on first need.
    const IconHandle* DeviceIcon(int index, double devicePixelRatio) const;

    IconGridView* scrollBox_;
    IconGridModel model_;
    CurrentIcons current_;
    const FileTypeIconProvider* fileTypeIcons_ = &BuiltInFileTypeIcons();
    mutable std::vector<IconHandle> deviceIcons_;
    mutable double deviceIconsRatio_ = 0; // the ratio deviceIcons_ were read for; 0: none read
    std::string text_;
    std::string unableMsg_;
};

} // namespace glyphora
