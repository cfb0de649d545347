#include "optionsdialog.h"

#include "basicsettingspage.h"
#include "common/error.h"
#include "common/filework.h"
#include "controls/widgets/actionguard.h"
#include "settings/settings.h"
#include "common/questions.h"
#include "defaultprintsettingspage.h"
#include "masters/widgets/carmasterframe.h"
#include "masters/widgets/closingwrites.h"
#include "masters/widgets/equipmentpage.h"
#include "masters/widgets/listmasterframe.h"
#include "masters/widgets/memotemplatespage.h"
#include "masters/widgets/taxgridframe.h"
#include "masters/widgets/postalcodedictionarypage.h"
#include "ui_optionsdialog.h"
#include "common/helptopic.h"

#include <QPushButton>
#include <QScrollArea>

namespace vendara {

namespace {

const QString kBasic = QStringLiteral("基本設定");
const QString kPrint = QStringLiteral("印刷設定");
const QString kMemo = QStringLiteral("備考欄");
const QString kPostalCodes = QStringLiteral("郵便番号辞書");
const QString kGuide = QStringLiteral("ガイド機能");
const QString kCar = QStringLiteral("メーカー・車名");
const QString kEquipment = QStringLiteral("装備");
const QStringList kTaxNodes = {QStringLiteral("自動車税"), QStringLiteral("自賠責"), QStringLiteral("重量税")};

// The nodes under "ガイド機能", in order.
const QStringList kGuideNodes = {
    kCar, QStringLiteral("色"), kEquipment, QStringLiteral("付属品"), QStringLiteral("特別仕様"),
    QStringLiteral("販売諸費用"), QStringLiteral("その他諸費用"), QStringLiteral("担当者"),
    kTaxNodes[0], kTaxNodes[1], kTaxNodes[2],
};

int helpTopicOf(const QTreeWidgetItem *item)
{
    if (!item)
        return 0;
    const QString text = item->text(0);
    if (!item->parent()) {
        if (text == kBasic)
            return help::BasicSettings;
        if (text == kPrint)
            return help::DefaultPrintSettings;
        if (text == kMemo)
            return help::MemoTemplates;
        if (text == kPostalCodes)
            return help::PostalCodes;
        return 0;
    }
    if (text == kEquipment)
        return help::Equipment;
    if (kTaxNodes.contains(text))
        return help::TaxTables;
    return help::GuideLists;
}

} // namespace

OptionsDialog::OptionsDialog(Settings &settings, Questions &questions, QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::OptionsDialog>()), m_questions(questions),
      m_settingsPath(settings.path())
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The selection stays visible while the focus is on a page.
    QPalette palette = m_ui->tree->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    m_ui->tree->setPalette(palette);

    // A page wider than the room left at the smallest size scrolls rather
    // than being cut off.
    auto *area = new QScrollArea(this);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    delete m_ui->bodyLayout->replaceWidget(m_ui->pages, area);
    area->setWidget(m_ui->pages);

    buildPages(settings, questions);
    buildTree();
    // Wide enough for the widest page where the screen allows (the window
    // is fitted to the screen as it opens); below that the page scrolls.
    area->setMinimumSize(m_ui->pages->sizeHint());
    resize(sizeHint());
    area->setMinimumSize(0, 0);

    // A screen reader selects a node without making it current: the
    // selection leads.
    connect(m_ui->tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> selected = m_ui->tree->selectedItems();
        if (!selected.isEmpty() && selected.first() != m_ui->tree->currentItem())
            m_ui->tree->setCurrentItem(selected.first());
    });
    connect(m_ui->tree, &QTreeWidget::currentItemChanged, this,
            guarded(m_questions, [this](QTreeWidgetItem *current, QTreeWidgetItem *) { nodeSelected(current); }));
    connect(m_ui->okButton, &QPushButton::clicked, this, guarded(m_questions, [this] { saveAndClose(); }));
    connect(m_ui->cancelButton, &QPushButton::clicked, this, guarded(m_questions, [this] { reject(); }));
    connect(m_ui->helpButton, &QPushButton::clicked, this, guarded(m_questions, [this] {
                if (const int topic = currentHelpTopic())
                    emit helpRequested(topic);
            }));

    selectNode(kBasic);
    m_ui->tree->setFocus();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::buildPages(Settings &settings, Questions &questions)
{
    const DataFolder &data = settings.data();
    const QString mst = data.mastersDir();
    m_basic = new BasicSettingsPage(settings);

    m_print = new DefaultPrintSettingsPage(settings, questions);
    m_print->load();

    m_memo = new MemoTemplatesPage(mst, questions);
    m_postalCodes = new PostalCodeDictionaryPage(data.postalCodesDir(), questions);
    m_car = new CarMasterFrame(data.carMastersDir(), questions);
    m_car->setEditable(true);
    m_equipment = new EquipmentPage(mst, questions);
    m_listMaster = new ListMasterFrame(mst, questions);
    m_listMaster->setEditable(true);
    m_tax = new TaxGridFrame(data.taxTablesDir(), questions);

    const QList<QWidget *> pages = {m_basic, m_print, m_memo, m_postalCodes, m_car, m_equipment, m_listMaster, m_tax};
    for (QWidget *page : pages)
        m_ui->pages->addWidget(page);
}

void OptionsDialog::buildTree()
{
    QTreeWidget *tree = m_ui->tree;
    for (const QString &text : {kBasic, kPrint, kMemo, kPostalCodes, kGuide})
        new QTreeWidgetItem(tree, {text});
    QTreeWidgetItem *guide = tree->topLevelItem(4);
    for (const QString &text : kGuideNodes)
        new QTreeWidgetItem(guide, {text});
    tree->expandAll();
}

QTreeWidget *OptionsDialog::tree() const
{
    return m_ui->tree;
}

QTreeWidgetItem *OptionsDialog::node(const QString &text) const
{
    const QList<QTreeWidgetItem *> found =
        m_ui->tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

bool OptionsDialog::selectNode(const QString &text)
{
    QTreeWidgetItem *item = node(text);
    if (!item)
        return false;
    m_ui->tree->setCurrentItem(item);
    return true;
}

QWidget *OptionsDialog::currentPage() const
{
    QWidget *page = m_ui->pages->currentWidget();
    return page == m_ui->noPage ? nullptr : page;
}

int OptionsDialog::currentHelpTopic() const
{
    return helpTopicOf(m_ui->tree->currentItem());
}

// Pages are found by the node's text: a few nodes have their own page, the
// other nodes under "ガイド機能" share the list master page, and the other
// top-level nodes have none.
QWidget *OptionsDialog::pageOf(const QTreeWidgetItem *item) const
{
    if (!item)
        return nullptr;
    const QString text = item->text(0);
    if (!item->parent()) {
        if (text == kPostalCodes)
            return m_postalCodes;
        if (text == kBasic)
            return m_basic;
        if (text == kMemo)
            return m_memo;
        if (text == kPrint)
            return m_print;
        return nullptr;
    }
    if (text == kCar)
        return m_car;
    if (text == kEquipment)
        return m_equipment;
    if (kTaxNodes.contains(text))
        return m_tax;
    return m_listMaster;
}

void OptionsDialog::showPage(QWidget *page)
{
    // Only the page on show counts for the size of the dialog.
    for (int i = 0; i < m_ui->pages->count(); ++i) {
        QWidget *each = m_ui->pages->widget(i);
        each->setSizePolicy(each == page ? QSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred)
                                         : QSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored));
    }
    m_ui->pages->setCurrentWidget(page);
}

void OptionsDialog::nodeSelected(QTreeWidgetItem *current)
{
    QWidget *page = pageOf(current);
    if (!page) {
        showPage(m_ui->noPage);
        return;
    }
    const QString text = current->text(0);
    if (page == m_tax) {
        m_tax->selectKind(int(kTaxNodes.indexOf(text)));
        m_tax->setEditMode(true);
    } else if (page == m_listMaster) {
        m_listMaster->selectMaster(text);
    }
    showPage(page);
}

void OptionsDialog::saveAndClose()
{
    // A data folder on a share that stopped answering holds up a worker,
    // which the user can give up on, before the pages write.
    if (!runGuarded(m_questions, [this] { reachFolderOf(m_settingsPath); }))
        return;
    // A file another desk changed since the dialog read it is asked about;
    // the dialog stays open unless the user overwrites it.
    const QList<ClosingWrite> writes = {
        {[this] { m_print->save(); }, [this] { m_print->save(Overwrite::Force); }, [this] { m_print->load(); }},
        basicWrite(),
        {[this] { m_equipment->save(); }, [this] { m_equipment->save(Overwrite::Force); },
         [this] { m_equipment->reload(); }},
        {[this] { m_memo->save(); }, [this] { m_memo->save(Overwrite::Force); }, [this] { m_memo->reload(); }},
    };
    for (const ClosingWrite &write : writes) {
        if (writeResolvingConflicts(m_questions, write) != WriteOutcome::Written)
            return;
    }
    accept();
}

ClosingWrite OptionsDialog::basicWrite()
{
    return {[this] { m_basic->save(); }, [this] { m_basic->save(Overwrite::Force); }, [this] { m_basic->load(); }};
}

// Every way of closing comes here: OK, キャンセル, the close box and Esc.
// The maker, list-master and tax-table pages write their lists here,
// whichever way the dialog closes; when one cannot be written the dialog
// stays open (unless the user chooses to close without saving it).
void OptionsDialog::done(int result)
{
    if (m_basic->isChanged()) {
        switch (m_questions.confirmOrCancel(kCloseQuestion, true)) {
        case Questions::Answer::Cancel:
            return;
        case Questions::Answer::Yes:
            if (writeResolvingConflicts(m_questions, basicWrite()) != WriteOutcome::Written)
                return;
            break;
        case Questions::Answer::No:
            break;
        }
    }
    const bool written = writeBeforeClosing(m_questions, {
                                                             m_car->closingWrite(),
                                                             m_listMaster->closingWrite(),
                                                             m_tax->closingWrite(),
                                                         });
    if (written)
        QDialog::done(result);
}

} // namespace vendara
