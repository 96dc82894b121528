#include "ui/widget_factory.h"

#include <QPalette>

#include "model/screen_texts.h"
#include "report/qt_text.h"

namespace kaldora {

void SetTextColor(QWidget* w, const QColor& color) {
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    w->setPalette(p);
}

namespace {}  // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, QRect rect, const QString& text, const QFont& font,
                  const QColor& color, Qt::Alignment align, bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    label->setFont(font);
    SetTextColor(label, color);
    label->setAlignment(align);
    label->setWordWrap(wrap);
    return label;
}

QLabel* MakePicture(QWidget* parent, const char* name, QPoint at, const QPixmap& picture) {
    auto* image = new QLabel(parent);
    image->setObjectName(QLatin1String(name));
    image->move(at);
    SetPicture(image, picture);
    return image;
}

void SetPicture(QLabel* label, const QPixmap& picture) {
    label->setPixmap(picture);
    label->resize(picture.deviceIndependentSize().toSize());
}

QLabel* MakePanel(QWidget* parent, const char* name, QRect rect, const QString& caption, const QFont& font,
                  const QColor& color, Bevel bevel, Qt::Alignment align) {
    QLabel* panel = MakeLabel(parent, name, rect, caption, font, color, align);
    panel->setAutoFillBackground(true);
    switch (bevel) {
        case Bevel::Raised: panel->setFrameStyle(QFrame::Panel | QFrame::Raised); break;
        case Bevel::LoweredOuter: panel->setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
        case Bevel::LoweredInner: panel->setFrameStyle(QFrame::Box | QFrame::Sunken); break;
    }
    panel->setLineWidth(1);
    return panel;
}

void CopyPicture(QLabel* to, const QLabel* from) {
    to->setPixmap(from->pixmap());
    to->resize(from->pixmap().deviceIndependentSize().toSize());
}

void WriteField(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->setCursorPosition(0);
}

void FitCaption(QLabel* panel, int room) {
    const int width = panel->fontMetrics().horizontalAdvance(panel->text()) + panel->frameWidth();
    if (width <= room) return;
    QFont tighter = panel->font();
    tighter.setLetterSpacing(QFont::PercentageSpacing, 100.0 * room / width - 0.5);
    panel->setFont(tighter);
}

QString AccessibleCaption(const QString& caption) { return Q(FieldLabel(caption.toStdString())); }

QSize FixedHeightItems::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
}

}  // namespace kaldora
