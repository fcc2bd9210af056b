// The minimum-count box: its number field, its arrows and the rules of its text.
#include "app/gui/MinimumCountBox.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace glyphora {

namespace {

constexpr int kFieldWidth = 41;
constexpr int kArrowWidth = 16;
constexpr int kHeight = 21;

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const char* name)
{
    auto* button = new QToolButton(parent); // owned by the box
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(kArrowWidth);
    return button;
}

} // namespace

MinimumCountBox::MinimumCountBox(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(QStringLiteral("1"), this)),
      up_(MakeArrow(this, Qt::UpArrow, "upArrow")),
      down_(MakeArrow(this, Qt::DownArrow, "downArrow"))
{
    edit_->setObjectName(QStringLiteral("minimumEdit"));
    edit_->setMaxLength(4);
    edit_->setFixedWidth(std::max(kFieldWidth, edit_->fontMetrics().horizontalAdvance(QStringLiteral("9999")) + 12));
    edit_->installEventFilter(this);
    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit_);
    row->addLayout(arrows);
    setFixedHeight(std::max(kHeight, edit_->sizeHint().height()));
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::textChanged, this, &MinimumCountBox::textEdited);
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

QString MinimumCountBox::text() const
{
    return edit_->text();
}

void MinimumCountBox::setText(const QString& text)
{
    edit_->setText(text);
}

std::optional<int> MinimumCountBox::value() const
{
    bool ok = false;
    const int number = edit_->text().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

// The arrows start from the number in the box brought within their range.
void MinimumCountBox::step(int by)
{
    const int now = std::clamp(value().value_or(kArrowMinimum), kArrowMinimum, kArrowMaximum);
    const QString next = QString::number(std::clamp(now + by, kArrowMinimum, kArrowMaximum));
    if (next != edit_->text()) edit_->setText(next);
}

bool MinimumCountBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed.size() == 1 && typed[0].unicode() >= 32 && !(typed[0] >= u'0' && typed[0] <= u'9')) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MinimumCountBox::textEdited()
{
    const QString text = edit_->text();
    if (text.isEmpty() || std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'0'; })) {
        edit_->setText(QStringLiteral("1")); // reported through its own change
        edit_->selectAll();
        return;
    }
    emit changed();
}

} // namespace glyphora
