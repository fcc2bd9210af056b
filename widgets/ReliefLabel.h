// ReliefLabel: a label whose text is drawn raised or sunken (a light and a dark copy offset by one
// pixel around the text), or as a gradient-filled outline of the text (Combi1..Combi4: single
// line, vertically centred; Combi2 and Combi3 thicken the outline, Combi4 adds a light copy up
// and left). Colours come from the palette: Light and Dark for the copies, WindowText for the
// text (its disabled colour when disabled). The main window's web-site label is a raised one.
// Labels showing a pixmap or rich text paint as plain QLabels; at most the first 255
// characters of the text are drawn.
#pragma once

#include <QLabel>

namespace glyphora {

enum class TextStyle { None, Raised, Sunken, Combi1, Combi2, Combi3, Combi4 };

class ReliefLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(glyphora::TextStyle textStyle READ textStyle WRITE setTextStyle)

public:
    explicit ReliefLabel(QWidget* parent = nullptr);
    explicit ReliefLabel(const QString& text, QWidget* parent = nullptr);

    TextStyle textStyle() const { return textStyle_; }
    void setTextStyle(TextStyle style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintOutlined(QPainter& painter, const QString& text, const QColor& textColor);

    TextStyle textStyle_ = TextStyle::Raised;
};

} // namespace glyphora
