// Events handled where their control is made: a hook per control instead of
// one filter that asks which control an event is for.
#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <functional>

namespace kaldora {

// Calls `handle` with every event of `target` before the target sees it;
// true from `handle` stops the event there. The hook lives as long as the
// target.
void OnEvents(QObject* target, std::function<bool(QEvent*)> handle);

// The same for a left click (its release) and for a pressed key.
void OnLeftClick(QObject* target, std::function<void()> handle);
void OnKeyPress(QObject* target, std::function<bool(const QKeyEvent*)> handle);

bool IsEnter(const QKeyEvent* key);

}  // namespace kaldora
