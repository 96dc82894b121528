#include "ui/toggle_accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

#include "ui/control_props.h"

namespace kaldora {

namespace {

constexpr char kToggleProperty[] = "kaldoraToggle";

class ToggleAccessible : public QAccessibleWidget {
public:
    explicit ToggleAccessible(QWidget* toggle) : QAccessibleWidget(toggle, QAccessible::CheckBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) return QAccessibleWidget::text(kind);
        const auto* label = qobject_cast<const QLabel*>(widget());
        return label ? label->text().simplified() : QString();
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Tag(widget()) != 0;
        return s;
    }

    QStringList actionNames() const override { return {toggleAction()}; }

    void doAction(const QString& action) override {
        if (action != toggleAction() && action != pressAction()) return;
        // As a click does: the toggle's own handler switches it.
        QWidget* w = widget();
        const QPointF centre = QRectF(w->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, w->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, w->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QCoreApplication::sendEvent(w, &release);
    }
};

QAccessibleInterface* ToggleFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->property(kToggleProperty).toBool() ? new ToggleAccessible(widget) : nullptr;
}

}  // namespace

void MakeAccessibleToggle(QWidget* toggle) {
    static const bool installed = [] {
        QAccessible::installFactory(ToggleFactory);
        return true;
    }();
    (void)installed;
    toggle->setProperty(kToggleProperty, true);
}

void AnnounceToggled(QWidget* toggle) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(toggle, changed);
    QAccessible::updateAccessibility(&event);
    QAccessibleEvent name(toggle, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
}

}  // namespace kaldora
