#pragma once

#include "printsettings/companyblock.h"

#include <QDialog>
#include <QStringList>

#include <memory>

class QComboBox;
class QSlider;
class QToolButton;

namespace Ui {
class CompanyBlockEditor;
}

namespace vendara {

class Questions;
class FloatEdit;

// "自社名ロゴ編集": edits the 23 values of a company block set, showing the
// block at full size (one screen pixel per block unit), redrawn on every
// change. The caller reads values() after OK.
class CompanyBlockEditor : public QDialog
{
    Q_OBJECT

public:
    explicit CompanyBlockEditor(Questions &questions, QWidget *parent = nullptr);
    ~CompanyBlockEditor() override;

    // Fills the editor from a set file. A missing file, or one that does not
    // hold exactly 23 lines, leaves the editor empty without a message.
    void loadFile(const QString &path);

    // The 23 values as they stand.
    const QStringList &values() const { return m_values; }

    // The face names the face boxes offer: installed families that can show
    // Japanese, vertical-writing faces left out, together with the Windows
    // faces that the sets name and that the program maps to installed fonts.
    static QStringList japaneseFaces();
    static const QStringList &sizeChoices();

private:
    void fill(const QStringList &lines);
    void connectFontGroup(QComboBox *face, QToolButton *bold, QToolButton *italic, QComboBox *size,
                          int faceLine);
    void connectPosition(QSlider *slider, FloatEdit *edit, int line);
    void storeNames();
    void storeAddress();
    void chooseImage();
    void store(int line, const QString &value);
    void redraw();

    std::unique_ptr<::Ui::CompanyBlockEditor> m_ui;
    Questions &m_questions;
    QStringList m_faces;
    QStringList m_values;
    CompanyBlockPainter m_painter; // one per editor: an image is decoded once per path
    bool m_filling = false;
};

} // namespace vendara
