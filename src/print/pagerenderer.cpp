#include "pagerenderer.h"

#include "pagerecorder.h"

#include "common/commatext.h"
#include "common/error.h"
#include "common/iniprofile.h"
#include "common/textfile.h"
#include "printsettings/companyblock.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vendara {
namespace {

std::optional<int> wholeNumber(const QString &text)
{
    const std::optional<qint64> v = IniProfile::parseInteger(text);
    if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*v);
}

int intOr(const QString &text, int fallback)
{
    return wholeNumber(text).value_or(fallback);
}

// Arguments are numbered from 1; fields[0] is the command.
int intArg(const QStringList &fields, int index)
{
    return intOr(fields[index], 0);
}

quint32 colorArg(const QStringList &fields, int index)
{
    return quint32(intArg(fields, index)) & 0xFFFFFFu;
}

// A position computed in floating point, truncated toward zero and kept
// within the range of page coordinates.
int truncated(double v)
{
    constexpr double limit = std::numeric_limits<int>::max();
    return int(std::clamp(std::trunc(v), -limit, limit));
}

struct Command
{
    const char *name;
    int argumentCount;
};

// Every command the language knows, with the arguments it needs.
constexpr Command kCommands[] = {
    {"font", 4}, {"text", 3}, {"rtext", 3}, {"ctext", 3}, {"pen", 3},   {"brush", 2}, {"line", 4},
    {"lbox", 4}, {"fill", 4}, {"ellipse", 4}, {"pict", 5}, {"logo", 5}, {"page", 0},  {"back", 0},
};

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

} // namespace

PageRenderer::PageRenderer(PageRecorder &plot, RenderCallbacks callbacks)
    : m_plot(plot), m_callbacks(std::move(callbacks))
{
}

RenderResult PageRenderer::render(const QString &printDataPath)
{
    if (!QFileInfo(printDataPath).isFile())
        return RenderResult::NoPrintData;
    const std::optional<QStringList> lines = textfile::readLines(printDataPath);
    if (!lines)
        throw Error(QStringLiteral("%1 を読み込めません").arg(printDataPath));
    return renderLines(*lines);
}

RenderResult PageRenderer::renderLines(const QStringList &lines)
{
    try {
        m_plot.begin();
        if (m_callbacks.pageStarted)
            m_callbacks.pageStarted(m_plot.pageNumber());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (m_callbacks.cancelRequested && m_callbacks.cancelRequested()) {
                m_plot.finish();
                m_plot.deletePageFiles();
                return RenderResult::Cancelled;
            }
            executeLine(lines[i], int(i + 1));
        }
        m_plot.finish();
    } catch (...) {
        m_plot.deletePageFiles();
        throw;
    }
    return RenderResult::Finished;
}

void PageRenderer::executeLine(const QString &line, int lineNumber)
{
    const QStringList f = commatext::split(line);
    if (f.isEmpty())
        return;
    const Command *command = findCommand(f[0]);
    if (!command)
        return;
    if (f.size() - 1 < command->argumentCount)
        throw Error(QStringLiteral("印刷データ %1 行目: %2 の引数が足りません (%3 個必要なところ %4 個です)")
                        .arg(lineNumber)
                        .arg(f[0])
                        .arg(command->argumentCount)
                        .arg(f.size() - 1));

    const QString name = QString::fromLatin1(command->name);
    if (name == u"font") {
        m_plot.setFont(FontState{f[1], intArg(f, 2), intArg(f, 3), colorArg(f, 4)});
    } else if (name == u"text") {
        m_plot.text(f[1], intArg(f, 2), intArg(f, 3));
    } else if (name == u"rtext") {
        m_plot.rightText(f[1], intArg(f, 2), intArg(f, 3));
    } else if (name == u"ctext") {
        m_plot.centredText(f[1], intArg(f, 2), intArg(f, 3));
    } else if (name == u"pen") {
        m_plot.setPen(PenState{intArg(f, 1), intArg(f, 2), colorArg(f, 3)});
    } else if (name == u"brush") {
        m_plot.setBrush(BrushState{intArg(f, 1), colorArg(f, 2)});
    } else if (name == u"line") {
        m_plot.line(intArg(f, 1), intArg(f, 2), intArg(f, 3), intArg(f, 4));
    } else if (name == u"lbox") {
        m_plot.frame(intArg(f, 1), intArg(f, 2), intArg(f, 3), intArg(f, 4));
    } else if (name == u"fill") {
        m_plot.fill(intArg(f, 1), intArg(f, 2), intArg(f, 3), intArg(f, 4));
    } else if (name == u"ellipse") {
        m_plot.ellipse(intArg(f, 1), intArg(f, 2), intArg(f, 3), intArg(f, 4));
    } else if (name == u"pict") {
        m_plot.pictureFile(QRectF(QPointF(intArg(f, 1), intArg(f, 2)), QPointF(intArg(f, 3), intArg(f, 4))), f[5]);
    } else if (name == u"logo") {
        logo(f, lineNumber);
    } else if (name == u"page") {
        m_plot.newPage();
        if (m_callbacks.pageStarted)
            m_callbacks.pageStarted(m_plot.pageNumber());
    }
    // back: accepted and ignored.
}

// The company block: its image drawn from the image file at the place of
// lines 19 to 22 scaled from block units, then the text-only block picture
// stretched over the whole rectangle, on top of it.
const PageRenderer::CompanyBlock *PageRenderer::companyBlock(const QString &setPath, const QString &command,
                                                          int lineNumber)
{
    if (auto it = m_companyBlocks.find(setPath); it != m_companyBlocks.end())
        return &it->second;
    if (!QFileInfo(setPath).isFile())
        return nullptr;
    std::optional<QStringList> values = companyblock::readSet(setPath);
    if (!values)
        throw Error(QStringLiteral("印刷データ %1 行目: %2 の社名セットファイル %3 を読み込めないか、%4 行に足りません")
                        .arg(lineNumber)
                        .arg(command, setPath)
                        .arg(companyblock::kLineCount));
    CompanyBlockPainter block;
    block.setImageEnabled(false);
    const QPicture text = block.draw(*values);
    CompanyBlock drawn{std::move(*values), text};
    return &m_companyBlocks.emplace(setPath, std::move(drawn)).first->second;
}

void PageRenderer::logo(const QStringList &f, int lineNumber)
{
    const CompanyBlock *block = companyBlock(f[5], f[0], lineNumber);
    if (!block)
        return;
    const QStringList &v = block->values;

    const int x1 = intArg(f, 1);
    const int y1 = intArg(f, 2);
    const int x2 = intArg(f, 3);
    const int y2 = intArg(f, 4);
    // For the scale factors alone, an x2 or y2 that is not a whole number reads as 100.
    const double sx = double(intOr(f[3], 100) - x1) / companyblock::kWidth;
    const double sy = double(intOr(f[4], 100) - y1) / companyblock::kHeight;

    const int left = truncated(x1 + std::trunc(intOr(v[companyblock::ImageLeft], 0) * sx));
    const int top = truncated(y1 + std::trunc(intOr(v[companyblock::ImageTop], 100) * sy));
    const int right = truncated(left + std::trunc(intOr(v[companyblock::ImageWidth], 0) * sx));
    const int bottom = truncated(top + std::trunc(intOr(v[companyblock::ImageHeight], 100) * sy));
    m_plot.pictureFile(QRectF(QPointF(left, top), QPointF(right, bottom)), v[companyblock::ImagePath]);
    m_plot.picture(block->text, QRectF(0, 0, companyblock::kWidth, companyblock::kHeight),
                   QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

} // namespace vendara
