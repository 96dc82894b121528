// The window's controls as the design draws them: labels, pictures and
// bevelled panels at fixed places, fields written from their start, and the
// few colours the design uses.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRect>
#include <QStyledItemDelegate>

namespace kaldora {

inline const QColor kMaroon(128, 0, 0);
inline const QColor kRed(255, 0, 0);
inline const QColor kGrey(128, 128, 128);
inline const QColor kWhite(255, 255, 255);

enum class Bevel { Raised, LoweredOuter, LoweredInner };

// The colour of a control's text, whatever kind of text it shows.
void SetTextColor(QWidget* w, const QColor& color);

QLabel* MakeLabel(QWidget* parent, const char* name, QRect rect, const QString& text, const QFont& font,
                  const QColor& color, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, bool wrap = false);

QLabel* MakePicture(QWidget* parent, const char* name, QPoint at, const QPixmap& picture = QPixmap());
// A picture label takes the size of its picture.
void SetPicture(QLabel* label, const QPixmap& picture);

// Panels are labels with a frame: a caption, a bevel and room for children.
QLabel* MakePanel(QWidget* parent, const char* name, QRect rect, const QString& caption, const QFont& font,
                  const QColor& color, Bevel bevel, Qt::Alignment align = Qt::AlignCenter);

// The marker of a menu item shows a copy of an idle or lit picture holder.
void CopyPicture(QLabel* to, const QLabel* from);

// A text the program writes into a field is shown from its start: a long
// number scrolled to its end would hide its sign and leading digits.
void WriteField(QLineEdit* edit, const QString& text);

// The free fonts run a few pixels wider than the design's at small sizes;
// a caption that would run under its edit box is set a little tighter.
void FitCaption(QLabel* panel, int room);

// " Температура воздуха (0С) =" read out as "Температура воздуха (0С)".
QString AccessibleCaption(const QString& caption);

// Rows of a drop-down list at the design's item height.
class FixedHeightItems : public QStyledItemDelegate {
public:
    FixedHeightItems(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int height_;
};

}  // namespace kaldora
