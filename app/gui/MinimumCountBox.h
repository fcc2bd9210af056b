// The find strip's minimum-count box: a four-digit number field with up and down arrows
// beside it. Printable characters other than digits are not taken (control keys are); a
// text that is empty or all zeros becomes "1", selected whole, so the box never asks for
// fewer than one icon. The arrows step the number within 1 to 1000; typing reaches 9999.
// changed() follows every change of the text, typed, pasted or stepped.
#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QToolButton;

namespace glyphora {

class MinimumCountBox final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kArrowMinimum = 1;
    static constexpr int kArrowMaximum = 1000;

    explicit MinimumCountBox(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // The number in the box; nothing for a text that is not a whole number (pasted letters).
    std::optional<int> value() const;
    void step(int by);

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void textEdited();

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace glyphora
