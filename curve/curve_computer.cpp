#include "curve/curve_computer.h"

namespace curve {

CurveComputer::CurveComputer(QObject* parent) : QObject(parent) {}

// The job posts its result to this object; the join below waits for it, and Qt drops what was
// posted to an object that is gone.
CurveComputer::~CurveComputer() {
    if (job_.joinable()) {
        job_.request_stop();
        job_.join();
    }
}

void CurveComputer::request(CurveInputTexts inputs) {
    pending_ = std::move(inputs);
    if (running_) {
        job_.request_stop();
        return;
    }
    startNext();
}

void CurveComputer::startNext() {
    if (job_.joinable()) {
        job_.join();
    }
    running_ = true;
    job_ = std::jthread([this, inputs = std::move(*pending_)](std::stop_token stop) {
        auto content = std::make_shared<const CurveContent>(ComputeCurve(inputs, stop));
        QMetaObject::invokeMethod(
            this, [this, content] { finished(content); }, Qt::QueuedConnection);
    });
    pending_.reset();
}

void CurveComputer::finished(std::shared_ptr<const CurveContent> content) {
    running_ = false;
    if (pending_) {
        startNext();  // overtaken: only the newest inputs count
        return;
    }
    emit computed(std::move(content));
}

}  // namespace curve
