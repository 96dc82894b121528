#include "ui/control_props.h"

#include <QVariant>

namespace kaldora {

namespace {
constexpr char kTag[] = "kaldoraTag";
constexpr char kHint[] = "kaldoraHint";
constexpr char kShowHint[] = "kaldoraShowHint";

// The tool-tip is the hint while it is switched on, and nothing otherwise.
void ApplyHint(QWidget* control) { control->setToolTip(ShowsHint(control) ? Hint(control) : QString()); }
}  // namespace

int Tag(const QWidget* control) { return control->property(kTag).toInt(); }

void SetTag(QWidget* control, int tag) { control->setProperty(kTag, tag); }

QString Hint(const QWidget* control) { return control->property(kHint).toString(); }

bool ShowsHint(const QWidget* control) { return control->property(kShowHint).toBool(); }

void SetHint(QWidget* control, const QString& text) {
    control->setProperty(kHint, text);
    ApplyHint(control);
}

void SetShowHint(QWidget* control, bool show) {
    control->setProperty(kShowHint, show);
    ApplyHint(control);
}

}  // namespace kaldora
