// The few control properties the window design relies on that Qt widgets do
// not have as such: an integer tag, and a hint text that can be switched on
// and off without losing it.
#pragma once

#include <QString>
#include <QWidget>

namespace kaldora {

int Tag(const QWidget* control);
void SetTag(QWidget* control, int tag);

QString Hint(const QWidget* control);
bool ShowsHint(const QWidget* control);
void SetHint(QWidget* control, const QString& text);
void SetShowHint(QWidget* control, bool show);

}  // namespace kaldora
