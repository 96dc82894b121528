// Guards that attach the view or the trace the routines talk to for a scope,
// then give back the one attached before, however the scope is left.
#pragma once

#include "model/calc_trace.h"
#include "model/value_exchange.h"

namespace kaldora {

class ViewAttachment {
public:
    explicit ViewAttachment(CalcView& view) : previous_(AttachedView()) { AttachView(&view); }
    ~ViewAttachment() { AttachView(previous_); }
    ViewAttachment(const ViewAttachment&) = delete;
    ViewAttachment& operator=(const ViewAttachment&) = delete;

private:
    CalcView* previous_;
};

class TraceAttachment {
public:
    explicit TraceAttachment(CalcTrace* trace) : previous_(ActiveTrace()) { AttachTrace(trace); }
    ~TraceAttachment() { AttachTrace(previous_); }
    TraceAttachment(const TraceAttachment&) = delete;
    TraceAttachment& operator=(const TraceAttachment&) = delete;

private:
    CalcTrace* previous_;
};

}  // namespace kaldora
