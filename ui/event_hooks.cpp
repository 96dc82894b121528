#include "ui/event_hooks.h"

#include <QMouseEvent>

namespace kaldora {

namespace {

class EventHook : public QObject {
public:
    EventHook(QObject* target, std::function<bool(QEvent*)> handle) : QObject(target), handle_(std::move(handle)) {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return handle_(event); }

private:
    std::function<bool(QEvent*)> handle_;
};

}  // namespace

void OnEvents(QObject* target, std::function<bool(QEvent*)> handle) { new EventHook(target, std::move(handle)); }

void OnLeftClick(QObject* target, std::function<void()> handle) {
    OnEvents(target, [handle = std::move(handle)](QEvent* event) {
        if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            handle();
        return false;
    });
}

void OnKeyPress(QObject* target, std::function<bool(const QKeyEvent*)> handle) {
    OnEvents(target, [handle = std::move(handle)](QEvent* event) {
        return event->type() == QEvent::KeyPress && handle(static_cast<const QKeyEvent*>(event));
    });
}

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace kaldora
