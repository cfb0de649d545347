// One desk of the two-desk slip test:
//   slipdeskchild DATAROOT SLIP HOST yes|no
// Opens SLIP as the desk HOST would, answering the take-over question with
// yes or no, and prints "open <readonly 0|1> <questions asked>". Then, for
// each line on stdin: "save" edits the customer name and saves in place
// (printing "save <written 0|1> <questions asked since>"); "quit" ends the
// session (its lock is let go) and exits 0.

#include "support/shellfakes.h"

#include "app/sliplock.h"
#include "common/error.h"
#include "slip/slipdocument.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

using namespace vendara;

namespace {

void say(const QString &line)
{
    std::puts(line.toLocal8Bit().constData());
    std::fflush(stdout);
}

QString asked(testing::FakeQuestions &questions)
{
    QStringList all = questions.asked + questions.notices + questions.warnings;
    questions.asked.clear();
    questions.notices.clear();
    questions.warnings.clear();
    return all.join(u'|').replace(u'\n', u' ');
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 5)
        return 2;
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString slip = QString::fromLocal8Bit(argv[2]);
    const DeskIdentity desk{QString::fromLocal8Bit(argv[3]), QStringLiteral("clerk"),
                            QCoreApplication::applicationPid()};
    testing::FakeQuestions questions;
    questions.answer(std::strcmp(argv[4], "yes") == 0);
    test::FakeInstances instances;
    test::FakeLauncher launcher;
    const DataFolder data(root);
    RecentFiles recent(root + QStringLiteral("/recent-") + desk.host);
    DocumentSession session(data, questions, instances, launcher, recent, desk);
    if (!session.start(slip))
        return 1;
    say(QStringLiteral("open %1 %2").arg(int(session.isReadOnly())).arg(asked(questions)));

    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        if (std::strncmp(line, "save", 4) == 0) {
            session.document().setText(SlipField::CustName, desk.host);
            const bool written = session.save();
            say(QStringLiteral("save %1 %2").arg(int(written)).arg(asked(questions)));
        } else if (std::strncmp(line, "quit", 4) == 0) {
            session.finish();
            return 0;
        }
    }
    return 2;
}
