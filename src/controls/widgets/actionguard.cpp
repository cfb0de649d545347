#include "controls/widgets/actionguard.h"

#include "common/error.h"
#include "common/questions.h"

#include <exception>

namespace vendara {

namespace {

void report(Questions &questions, const QString &text) noexcept
{
    try {
        questions.error(text);
    } catch (...) {
        // The error box itself failed (no memory): the operation has
        // stopped, which is all that is left to do.
    }
}

} // namespace

bool runGuarded(Questions &questions, const std::function<void()> &operation) noexcept
{
    try {
        operation();
        return true;
    } catch (const Error &e) {
        report(questions, e.message());
    } catch (const std::exception &e) {
        report(questions, QStringLiteral("予期しないエラーが発生しました。\n%1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        report(questions, QStringLiteral("予期しないエラーが発生しました。"));
    }
    return false;
}

} // namespace vendara
