#include "settings/widgets/companyblockeditor.h"
#include "ui_companyblockeditor.h"

#include "common/error.h"
#include "controls/widgets/actionguard.h"
#include "common/questions.h"
#include "controls/widgets/floatedit.h"
#include "printsettings/windowsfaces.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QScrollBar>

#include <exception>
#include <optional>

namespace vendara {

using namespace companyblock;

namespace {

const QString kUnreadable = QStringLiteral("設定ファイルが読み込めません");
const QString kImageFilter = QStringLiteral("画像ファイル (*.bmp *.jpg *.jpeg)");

// The Windows faces sets are written with; offered when the program can map
// them to an installed font.
const QStringList kWindowsFaces = {
    QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
    QStringLiteral("ＭＳ 明朝"),     QStringLiteral("ＭＳ Ｐ明朝"),
};

} // namespace

CompanyBlockEditor::CompanyBlockEditor(Questions &questions, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<::Ui::CompanyBlockEditor>())
    , m_questions(questions)
    , m_faces(japaneseFaces())
{
    m_ui->setupUi(this);
    for (int i = 0; i < kLineCount; ++i)
        m_values.append(QString());

    for (QComboBox *face : {m_ui->nameFaceBox, m_ui->addressFaceBox}) {
        face->addItems(m_faces);
        face->setCurrentIndex(-1);
    }
    m_ui->nameSizeBox->addItems(sizeChoices());
    m_ui->addressSizeBox->addItem(QString());
    m_ui->addressSizeBox->addItems(sizeChoices());
    for (QComboBox *size : {m_ui->nameSizeBox, m_ui->addressSizeBox})
        size->setCurrentIndex(-1);

    // Eight lines of the address box without scrolling.
    const QFontMetrics metrics(m_ui->addressEdit->font());
    m_ui->addressEdit->setFixedHeight(metrics.lineSpacing() * 8 + 2 * m_ui->addressEdit->frameWidth() + 14
                                      + m_ui->addressEdit->horizontalScrollBar()->sizeHint().height());
    m_ui->addressEdit->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("電話番号・ファックス00")));

    for (FloatEdit *edit : {m_ui->leftEdit, m_ui->topEdit, m_ui->widthEdit, m_ui->heightEdit}) {
        edit->setDigits(0);
        edit->setAlignment(Qt::AlignRight);
    }
    for (QSlider *slider : {m_ui->leftSlider, m_ui->topSlider, m_ui->widthSlider, m_ui->heightSlider})
        slider->setMinimumWidth(50);
    // The whole dialog fits a 640 x 480 screen.
    m_ui->imagePanel->setMaximumWidth(170);

    connectFontGroup(m_ui->nameFaceBox, m_ui->nameBoldButton, m_ui->nameItalicButton, m_ui->nameSizeBox, NameFace);
    connectFontGroup(m_ui->addressFaceBox, m_ui->addressBoldButton, m_ui->addressItalicButton,
                     m_ui->addressSizeBox, AddressFace);
    connect(m_ui->nameLine1Edit, &QLineEdit::textChanged, this, &CompanyBlockEditor::storeNames);
    connect(m_ui->nameLine2Edit, &QLineEdit::textChanged, this, &CompanyBlockEditor::storeNames);
    connect(m_ui->addressEdit, &QPlainTextEdit::textChanged, this, &CompanyBlockEditor::storeAddress);

    connect(m_ui->useImageBox, &QCheckBox::toggled, this, [this](bool on) {
        m_ui->imagePanel->setVisible(on);
        store(ImagePath, on ? m_ui->imagePathEdit->text() : QString());
    });
    connect(m_ui->browseButton, &QPushButton::clicked, this, guarded(m_questions, [this] { chooseImage(); }));
    connectPosition(m_ui->leftSlider, m_ui->leftEdit, ImageLeft);
    connectPosition(m_ui->topSlider, m_ui->topEdit, ImageTop);
    connectPosition(m_ui->widthSlider, m_ui->widthEdit, ImageWidth);
    connectPosition(m_ui->heightSlider, m_ui->heightEdit, ImageHeight);

    m_filling = true;
    m_ui->useImageBox->setChecked(false);
    m_ui->imagePanel->setVisible(false);
    for (QSlider *slider : {m_ui->leftSlider, m_ui->topSlider, m_ui->widthSlider, m_ui->heightSlider})
        slider->setValue(slider->minimum());
    for (FloatEdit *edit : {m_ui->leftEdit, m_ui->topEdit, m_ui->widthEdit, m_ui->heightEdit})
        edit->setValue(edit->minimum());
    m_filling = false;
    // An empty editor keeps 23 empty values until a file fills it.
    for (QString &value : m_values)
        value.clear();
    redraw();
}

CompanyBlockEditor::~CompanyBlockEditor() = default;

QStringList CompanyBlockEditor::japaneseFaces()
{
    QStringList faces;
    for (const QString &windowsFace : kWindowsFaces) {
        const QString family = ipaFamilyFor(windowsFace);
        if (!family.isEmpty() && QFontDatabase::hasFamily(family))
            faces.append(windowsFace);
    }
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : families) {
        if (!family.startsWith(u'@') && !QFontDatabase::isPrivateFamily(family) && !faces.contains(family))
            faces.append(family);
    }
    return faces;
}

const QStringList &CompanyBlockEditor::sizeChoices()
{
    static const QStringList sizes = {
        QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
        QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15"),
        QStringLiteral("16"), QStringLiteral("17"), QStringLiteral("18"), QStringLiteral("20"),
        QStringLiteral("24"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72"),
    };
    return sizes;
}

void CompanyBlockEditor::connectFontGroup(QComboBox *face, QToolButton *bold, QToolButton *italic,
                                          QComboBox *size, int faceLine)
{
    // A face counts only when the text names a listed face.
    connect(face, &QComboBox::currentTextChanged, this, [this, faceLine](const QString &text) {
        if (m_faces.contains(text))
            store(faceLine, text);
    });
    auto storeStyle = [this, bold, italic, faceLine] {
        store(faceLine + 1, QString::number(styleCode(bold->isChecked(), italic->isChecked())));
    };
    connect(bold, &QToolButton::toggled, this, storeStyle);
    connect(italic, &QToolButton::toggled, this, storeStyle);
    // Whatever the size box holds is stored; a non-number draws at 10 pt.
    connect(size, &QComboBox::currentTextChanged, this,
            [this, faceLine](const QString &text) { store(faceLine + 3, text); });
}

void CompanyBlockEditor::connectPosition(QSlider *slider, FloatEdit *edit, int line)
{
    const ValueRange range = editorRange(line);
    slider->setRange(range.minimum, range.maximum);
    edit->setRange(range.minimum, range.maximum);
    connect(edit, &QLineEdit::textChanged, this, [slider, edit] {
        const std::optional<int> typed = typedEditorValue(edit->text());
        if (!typed)
            return;
        slider->setValue(*typed);
        // The box shows what is stored: the position the slider clamped to.
        if (slider->value() != *typed)
            edit->setValue(slider->value());
    });
    connect(slider, &QSlider::valueChanged, this, [this, edit, line](int position) {
        if (edit->value() != position || edit->text().isEmpty())
            edit->setValue(position);
        store(line, QString::number(position));
    });
}

void CompanyBlockEditor::loadFile(const QString &path)
{
    const std::optional<QStringList> lines = readSet(path);
    if (!lines || lines->size() != kLineCount)
        return;
    try {
        fill(*lines);
    } catch (const std::exception &) {
        m_questions.error(kUnreadable);
    }
}

void CompanyBlockEditor::fill(const QStringList &lines)
{
    m_filling = true;
    // The switches show the style the block is drawn and printed with.
    auto setStyle = [&](QToolButton *bold, QToolButton *italic, int faceLine) {
        const BlockFont font = fontAt(lines, faceLine);
        bold->setChecked(font.bold());
        italic->setChecked(font.italic());
    };
    m_ui->nameFaceBox->setCurrentIndex(m_ui->nameFaceBox->findText(lines[NameFace]));
    m_ui->nameFaceBox->setEditText(lines[NameFace]);
    setStyle(m_ui->nameBoldButton, m_ui->nameItalicButton, NameFace);
    m_ui->nameSizeBox->setEditText(lines[NameSize]);
    m_ui->nameLine1Edit->setText(lines[NameLine1]);
    m_ui->nameLine2Edit->setText(lines[NameLine2]);

    m_ui->addressFaceBox->setCurrentIndex(m_ui->addressFaceBox->findText(lines[AddressFace]));
    m_ui->addressFaceBox->setEditText(lines[AddressFace]);
    setStyle(m_ui->addressBoldButton, m_ui->addressItalicButton, AddressFace);
    m_ui->addressSizeBox->setEditText(lines[AddressSize]);
    m_ui->addressEdit->setPlainText(lines.mid(AddressLine1, AddressLineCount).join(u'\n'));

    m_ui->imagePathEdit->setText(lines[ImagePath]);
    const bool hasImage = !lines[ImagePath].isEmpty() && QFileInfo(lines[ImagePath]).isFile();
    m_ui->useImageBox->setChecked(hasImage);
    m_ui->imagePanel->setVisible(hasImage);
    // The sliders stand where the image is drawn, within their ranges.
    m_ui->leftSlider->setValue(editorValue(lines, ImageLeft));
    m_ui->topSlider->setValue(editorValue(lines, ImageTop));
    m_ui->widthSlider->setValue(editorValue(lines, ImageWidth));
    m_ui->heightSlider->setValue(editorValue(lines, ImageHeight));
    m_filling = false;

    // The editor holds the file's own lines until the user changes one.
    m_values = lines;
    redraw();
}

void CompanyBlockEditor::storeNames()
{
    if (m_filling)
        return;
    m_values[NameLine1] = m_ui->nameLine1Edit->text();
    m_values[NameLine2] = m_ui->nameLine2Edit->text();
    redraw();
}

void CompanyBlockEditor::storeAddress()
{
    if (m_filling)
        return;
    const QStringList lines = m_ui->addressEdit->toPlainText().split(u'\n');
    for (int k = 0; k < AddressLineCount; ++k)
        m_values[AddressLine1 + k] = lines.value(k);
    redraw();
}

void CompanyBlockEditor::chooseImage()
{
    const QString path = m_questions.chooseFileToOpen(QStringLiteral("画像ファイル"), kImageFilter);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // A picture the block could not draw is not taken.
    if (!isBlockImageFile(path) || !decodeBlockImage(path)) {
        m_questions.error(QStringLiteral("画像ファイルを読み込めません\n%1").arg(path));
        return;
    }
    m_ui->imagePathEdit->setText(path);
    store(ImagePath, path);
}

void CompanyBlockEditor::store(int line, const QString &value)
{
    if (m_filling)
        return;
    m_values[line] = value;
    redraw();
}

void CompanyBlockEditor::redraw()
{
    m_ui->sheet->setPicture(m_painter.draw(m_values));
}

} // namespace vendara
