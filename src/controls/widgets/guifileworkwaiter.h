#pragma once

#include "common/filework.h"

#include <chrono>

namespace vendara {

// The program's FileWorkWaiter: the work runs on a thread of its own. Work
// that ends within the quiet wait (nearly all of it) is waited for without
// a sign; longer work shows a FileWorkWindow over the active window and the
// window keeps handling events (painting, the stop) until the work ends or
// is stopped.
class GuiFileWorkWaiter final : public FileWorkWaiter
{
public:
    explicit GuiFileWorkWaiter(std::chrono::milliseconds quietWait = std::chrono::milliseconds(150));
    ~GuiFileWorkWaiter() override;
    GuiFileWorkWaiter(const GuiFileWorkWaiter &) = delete;
    GuiFileWorkWaiter &operator=(const GuiFileWorkWaiter &) = delete;

    void wait(const QString &what, const std::shared_ptr<FileWorkTask> &task) override;

private:
    std::chrono::milliseconds m_quietWait;
};

} // namespace vendara
