#pragma once

#include <QPicture>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace vendara {

class PageRecorder;

// How a rendering reports to its status window, which is not part of it.
struct RenderCallbacks
{
    // The page now being drawn, 1 for the first: the status window's counter.
    std::function<void(int pageNumber)> pageStarted;
    // Asked before each line is carried out, after the line was read; the GUI
    // lets pending input through here so that its stop button works. True
    // stops the rendering.
    std::function<bool()> cancelRequested;
};

enum class RenderResult {
    Finished,   // every page stored
    Cancelled,  // stopped through cancelRequested; the page files are deleted
    NoPrintData // the print-data file does not exist; nothing was drawn
};

// The renderer: reads a print-data file line by line and carries out each
// command on the page recorder. One instance renders one file.
//
// A line is comma text (unquoted blanks separate fields too); the first field
// is the command, compared without regard to case, the others its arguments.
// A numeric argument that is not a whole number reads as 0. Unknown commands
// are ignored. A command with too few arguments, or a `logo` whose set file
// is shorter than 23 lines, stops the rendering with vendara::Error naming the
// line; the page files written so far are deleted.
class PageRenderer
{
public:
    explicit PageRenderer(PageRecorder &plot, RenderCallbacks callbacks = {});

    RenderResult render(const QString &printDataPath);
    // The same for lines already in memory.
    RenderResult renderLines(const QStringList &lines);

private:
    void executeLine(const QString &line, int lineNumber);
    void logo(const QStringList &fields, int lineNumber);

    // A company block set as read and drawn once per rendering: every copy
    // of a print carries the same letterhead.
    struct CompanyBlock
    {
        QStringList values;
        QPicture text;
    };
    const CompanyBlock *companyBlock(const QString &setPath, const QString &command, int lineNumber);

    PageRecorder &m_plot;
    RenderCallbacks m_callbacks;
    std::map<QString, CompanyBlock> m_companyBlocks;
};

} // namespace vendara
