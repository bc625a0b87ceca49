// Computes a design's sheet off the GUI thread.
#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <thread>

#include "design/sheet.h"

namespace curve {

/// Computes a design's sheet off the GUI thread, so typing never waits for a long curve. The
/// last request wins: a newer one stops the computation under way, and a result that a newer
/// request has overtaken is never delivered.
class CurveComputer : public QObject {
    Q_OBJECT

public:
    explicit CurveComputer(QObject* parent = nullptr);
    ~CurveComputer() override;

    /// Computes the sheet for these inputs, after whatever is under way has stopped.
    void request(design::DesignTexts texts);
    /// Whether a computation is under way or waiting.
    bool busy() const { return running_; }

signals:
    /// The sheet for the last request, once it is computed.
    void computed(std::shared_ptr<const design::Sheet> sheet);

private:
    void startNext();
    void finished(std::shared_ptr<const design::Sheet> sheet);

    std::optional<design::DesignTexts> pending_;
    bool running_ = false;
    std::jthread job_;
};

}  // namespace curve
