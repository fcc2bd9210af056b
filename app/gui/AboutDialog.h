// The About box: the program's icon, name and version, the maker's notice and web address
// (opened with the desktop's browser when clicked), and the libraries the program is built on.
// Not translated. Child widgets are owned by the dialog (Qt's parent ownership).
#pragma once

#include <QDialog>

#include <string>

class QLabel;

namespace glyphora {

class PushButton;

class AboutDialog final : public QDialog {
public:
    static constexpr const char* kWebAddress = GLYPHORA_HOMEPAGE_URL; // set by the build
    static constexpr const char* kNotice = "\u00A9 Marrowfield Software";

    explicit AboutDialog(QWidget* parent = nullptr);

    // What a click on the address does: hands it to the desktop (see AddressTarget).
    void openAddress() const;

    QLabel* iconLabel() const { return iconLabel_; }
    QLabel* nameLabel() const { return nameLabel_; }
    QLabel* versionLabel() const { return versionLabel_; }
    QLabel* noticeLabel() const { return noticeLabel_; }
    QLabel* addressLabel() const { return addressLabel_; }
    QLabel* librariesLabel() const { return librariesLabel_; }
    PushButton* okButton() const { return okButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* iconLabel_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* noticeLabel_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    QLabel* librariesLabel_ = nullptr;
    PushButton* okButton_ = nullptr;
};

// What the desktop is asked to open for an address as shown: an e-mail address (it holds "@")
// gets "mailto:", an address starting with "www" gets "http://", anything else stays.
std::string AddressTarget(const std::string& caption);

} // namespace glyphora
