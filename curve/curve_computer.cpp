// The design sheet computed off the GUI thread, the last request winning.
#include "curve/curve_computer.h"

#include "curve/words.h"

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

void CurveComputer::request(design::DesignTexts texts) {
    pending_ = std::move(texts);
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
    job_ = std::jthread(
        [this, texts = std::move(*pending_), language = Language()](std::stop_token stop) {
            auto sheet = std::make_shared<const design::Sheet>(
                design::ComputeSheet(texts, language, [&stop] { return stop.stop_requested(); }));
            QMetaObject::invokeMethod(
                this, [this, sheet] { finished(sheet); }, Qt::QueuedConnection);
        });
    pending_.reset();
}

void CurveComputer::finished(std::shared_ptr<const design::Sheet> sheet) {
    running_ = false;
    if (pending_) {
        startNext();  // overtaken: only the newest inputs count
        return;
    }
    emit computed(std::move(sheet));
}

}  // namespace curve
