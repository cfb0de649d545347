#include "controls/widgets/actionguard.h"

#include "common/error.h"
#include "controls/widgets/dialogquestions.h"

#include <exception>

namespace vendara {

namespace {

void report(QWidget *parent, DialogQuestions &questions, const QString &text) noexcept
{
    try {
        questions.error(parent, text);
    } catch (...) {
        // The error box itself failed (no memory): the operation has
        // stopped, which is all that is left to do.
    }
}

} // namespace

bool runGuarded(QWidget *parent, DialogQuestions &questions, const std::function<void()> &operation) noexcept
{
    try {
        operation();
        return true;
    } catch (const Error &e) {
        report(parent, questions, e.message());
    } catch (const std::exception &e) {
        report(parent, questions, QStringLiteral("予期しないエラーが発生しました。\n%1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        report(parent, questions, QStringLiteral("予期しないエラーが発生しました。"));
    }
    return false;
}

} // namespace vendara
