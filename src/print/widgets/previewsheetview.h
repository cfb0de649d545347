#pragma once

#include "print/pagepicture.h"

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <memory>

namespace vendara {

// The content of the preview's scroll area: the dark grey ground, the white
// sheet, the page played over it and the dotted printable-area frame. The
// page is played once per page and sheet size into a pixmap of the screen's
// resolution, so that scrolling only copies pixels.
class PreviewSheetView : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewSheetView(QWidget *parent = nullptr);

    // Places the sheet and the frame; the widget takes contentSize.
    void setGeometryOfSheet(const QRect &sheet, const QRect &printable, QSize contentSize);
    QRect sheetRect() const { return m_sheet; }
    QRect printableRect() const { return m_printable; }

    // The page shown; nothing shows an empty sheet.
    void setPage(std::shared_ptr<const PagePicture> page);
    bool hasPage() const { return m_page != nullptr; }

    // The sheet as the screen shows it (for looking at and for tests).
    QImage sheetImage();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // White sheet and page, the sheet's top left at the painter's origin.
    void playPage(QPainter &painter) const;
    const QPixmap &pagePixmap();

    QRect m_sheet;
    QRect m_printable;
    std::shared_ptr<const PagePicture> m_page;
    QPixmap m_cache;
    bool m_cacheValid = false;
};

} // namespace vendara
