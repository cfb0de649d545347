#include "documentsession.h"

#include "common/filework.h"

#include "appinfo.h"
#include "common/cp932codec.h"
#include "common/error.h"
#include "platformservices.h"
#include "print/runtag.h"
#include "recentfiles.h"
#include "slip/slipfile.h"
#include "common/questions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace vendara {

namespace {

// A slip file is a few kilobytes; anything this large is something else.
constexpr qint64 kMaxSlipFileSize = 4 * 1024 * 1024;

const QString kSaveQuestion = QStringLiteral("保存しますか？");
const QString kOverwriteQuestion = QStringLiteral("同名のファイルがあります\n上書きしますか？");
const QString kNotSaved = QStringLiteral("保存できませんでした。\n%1");
const QString kNumberNotWritten = QStringLiteral("伝票番号を設定ファイルに書き込めませんでした。\n%1");
const QString kHeldElsewhere = QStringLiteral("%1は他の端末で開かれています");
const QString kTakeOver = QStringLiteral("（%1）\n\n"
                                         "この端末で引き継いで編集しますか？\n"
                                         "「いいえ」を選ぶと読み取り専用で開きます。");
const QString kLockNotWritten = QStringLiteral("%1を他の端末から守るロックファイルを作れませんでした。\n%2");
const QString kReadOnlyOpened = QStringLiteral("読み取り専用で開きます。");
const QString kReadOnlySave = QStringLiteral("%1は読み取り専用で開いています。\n別の名前で保存してください。");
const QString kTakenOver = QStringLiteral("%1は他の端末（%2）に引き継がれました。\n"
                                          "上書きせず、別の名前で保存してください。");

QString fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

// "host のユーザー user" for the questions about a lock.
QString deskText(const DeskIdentity &desk)
{
    return desk.user.isEmpty() ? desk.host : QStringLiteral("%1 のユーザー %2").arg(desk.host, desk.user);
}

QString canonicalOf(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

QByteArray checkSlipFile(const QString &path)
{
    auto bytes = std::make_shared<QByteArray>();
    runFileWork(QStringLiteral("%1 の読み込み").arg(QFileInfo(path).fileName()), [path, bytes](FileWorkTask &) {
        const QFileInfo info(path);
        if (!info.exists())
            throw Error(QStringLiteral("%1 が見つかりません").arg(path));
        if (info.isDir())
            throw Error(QStringLiteral("%1 はフォルダです。車両販売見積ファイルを選んでください").arg(path));
        QFile file(path);
        if (!info.isFile() || !file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("%1 を読み込めません（読み取りの権限がありません）").arg(path));
        if (file.size() > kMaxSlipFileSize)
            throw Error(QStringLiteral("%1 は車両販売見積ファイルではありません（大きすぎます）").arg(path));
        *bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw Error(QStringLiteral("%1 を読み込めません").arg(path));
    });
    if (bytes->contains('\0') || cp932::decode(*bytes).contains(QChar::ReplacementCharacter))
        throw Error(QStringLiteral("%1 は車両販売見積ファイルではありません（Shift-JIS の文字でない部分があります）")
                        .arg(path));
    return *bytes;
}

QString withSlipSuffix(const QString &fileName)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty())
        return fileName;
    return fileName + u'.' + kSlipFileSuffix;
}

QString slipFileOfDrop(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.suffix().compare(kSlipFileSuffix, Qt::CaseInsensitive) == 0)
            return info.absoluteFilePath();
    }
    return QString();
}

int slipNumberOf(const QString &slipCode)
{
    bool ok = false;
    const int number = slipCode.trimmed().toInt(&ok, 10);
    return ok ? number : 0;
}

QString defaultSlipFileName(const SlipRecord &slip)
{
    return slip.no.slipCode + slip.no.slipDate.toString(QStringLiteral("-yy-MM-dd.")) + kSlipFileSuffix;
}

DocumentSession::DocumentSession(const DataFolder &data, Questions &questions, InstanceRegistry &instances,
                                 ProcessLauncher &launcher, RecentFiles &recent, const DeskIdentity &desk,
                                 QObject *parent)
    : QObject(parent), m_data(data), m_settings(data), m_questions(questions),
      m_instances(instances), m_launcher(launcher), m_recent(recent), m_desk(desk)
{
    connect(&m_document, &SlipDocument::changed, this, &DocumentSession::updateTitle);
    connect(&m_document, &SlipDocument::modifiedChanged, this, &DocumentSession::updateTitle);
    m_instances.onActivate = [this] { emit raiseRequested(); };
}

DocumentSession::~DocumentSession()
{
    // Only the clean-up: nothing is written as the session goes.
    if (!m_finished)
        cleanUp();
    m_instances.onActivate = nullptr;
}

bool DocumentSession::start(const QString &argument)
{
    m_document.setEventsOn(false);
    // A format or set name that makes no path is said; the print settings
    // start empty then.
    NewSlipDefaults defaults;
    try {
        m_settings.load();
        m_proposedNumber = m_settings.nextSlipNumber();
        defaults.slipCode = Settings::formatSlipCode(*m_proposedNumber);
        m_dialogFolder = m_settings.startFolder();
        m_printSettings = CurrentPrintSettings::from(m_data, m_settings.defaultPrint(),
                                                     float(m_settings.correctionX()), float(m_settings.correctionY()));
    } catch (const Error &e) {
        m_questions.warn(e.message());
    }
    // From here on, what the options dialog saves reaches the next print;
    // the open slip's number, rates and rounding stay as they are. (Not
    // before: the start has just filled the print settings itself.)
    connect(&m_settings, &Settings::changed, this, &DocumentSession::followSettings, Qt::UniqueConnection);
    const BasicSettings &basic = m_settings.basic();
    defaults.taxRate = basic.standardTaxRate;
    defaults.rounding = basic.rounding;
    defaults.annualRate = basic.creditRate;
    m_document.setAcquisitionRatio(m_settings.slipAcquisitionRatio());
    m_document.startNew(defaults, QDate::currentDate());

    // An argument that names nothing is ignored; one that names something
    // unreadable is said and a new slip shown.
    if (!argument.isEmpty() && QFileInfo::exists(argument)) {
        const QString path = QFileInfo(argument).absoluteFilePath();
        try {
            const QByteArray bytes = checkSlipFile(path);
            const QString canonical = canonicalOf(path);
            if (!m_instances.claim(canonical)) {
                m_instances.activate(canonical);
                return false;
            }
            m_claimed = canonical;
            readInto(bytes);
            m_readOnly = !takeLock(path);
            setPath(path);
            setUndoEnabled(true);
            remember(path);
        } catch (const Error &e) {
            if (m_path.isEmpty() && !m_claimed.isEmpty()) {
                m_instances.claim(QString());
                m_claimed.clear();
            }
            m_questions.warn(e.message());
        }
    }

    m_document.setEventsOn(true);
    m_runTag = makeRunTag(m_data.tmpDir());
    updateTitle();
    return true;
}

QString DocumentSession::title() const
{
    return appinfo::windowTitle(m_path, m_document.isModified(), m_readOnly);
}

QString DocumentSession::tempSlipPath() const
{
    return m_data.tmpDir() + m_runTag + QStringLiteral("PrTmpDat2");
}

void DocumentSession::newSlip()
{
    if (!m_launcher.startProgram({}))
        m_questions.warn(QStringLiteral("新しいウィンドウを開けませんでした"));
}

void DocumentSession::open()
{
    const QString chosen = m_questions.chooseFileToOpen(QStringLiteral("開く"), kSlipFileFilter, m_dialogFolder);
    if (!chosen.isEmpty())
        openFile(chosen);
}

DocumentSession::OpenResult DocumentSession::openFile(const QString &chosen)
{
    const QString path = QFileInfo(chosen).absoluteFilePath();
    m_dialogFolder = QFileInfo(path).absolutePath();
    const QString canonical = canonicalOf(path);
    if (!canonical.isEmpty() && canonical == m_claimed) {
        emit raiseRequested();
        return OpenResult::ShownElsewhere;
    }
    if (!canonical.isEmpty() && m_instances.activate(canonical))
        return OpenResult::ShownElsewhere;
    QByteArray bytes;
    try {
        bytes = checkSlipFile(path);
    } catch (const Error &e) {
        // The slip on screen stays; a file that cannot be read must not
        // replace it with an empty slip under that file's name.
        m_questions.warn(e.message());
        return OpenResult::Failed;
    }
    if (m_document.isModified()) {
        if (!m_launcher.startProgram({path})) {
            m_questions.warn(QStringLiteral("新しいウィンドウを開けませんでした"));
            return OpenResult::Failed;
        }
        return OpenResult::StartedProcess;
    }
    try {
        readInto(bytes);
    } catch (const Error &e) {
        m_questions.warn(e.message());
        return OpenResult::Failed;
    }
    m_claimed = m_instances.claim(canonical) ? canonical : QString();
    releaseLock();
    m_readOnly = !takeLock(path);
    setPath(path);
    setUndoEnabled(true);
    remember(path);
    updateTitle();
    return OpenResult::Opened;
}

DocumentSession::OpenResult DocumentSession::openRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        try {
            m_recent.remove(path);
        } catch (const Error &) {
            // The entry comes back next time; the message below still holds.
        }
        emit recentFilesChanged();
        m_questions.warn(QStringLiteral("%1 が見つかりません。\n最近使ったファイルの一覧から削除しました。").arg(path));
        return OpenResult::Failed;
    }
    return openFile(path);
}

void DocumentSession::readInto(const QByteArray &bytes)
{
    const bool eventsWereOn = m_document.eventsOn();
    m_document.setEventsOn(false);
    try {
        readSlipBytes(m_document, bytes);
    } catch (...) {
        m_document.setEventsOn(eventsWereOn);
        throw;
    }
    m_document.setEventsOn(eventsWereOn);
    m_proposedNumber.reset();
}

void DocumentSession::writeSlipFile(const QString &path, bool inPlace)
{
    if (inPlace || m_path.isEmpty())
        writeSlip(m_document, path, SlipWrite::Save);
    else
        // A slip read from a file takes along that file's keys it does
        // not own to its new name.
        writeSlipOver(m_document, m_path, path, SlipWrite::Save);
}

bool DocumentSession::writeTo(const QString &path, bool inPlace)
{
    try {
        writeSlipFile(path, inPlace);
    } catch (const Error &e) {
        m_questions.warn(kNotSaved.arg(e.message()));
        return false;
    }
    return true;
}

// The slip is written while the settings file's lock is held, under the
// number taken then, and the number counts as taken only when the write
// succeeded. Nothing is asked under the lock: a message box waiting for the
// user would keep every other desk from saving.
bool DocumentSession::writeUnderNewNumber(const QString &path, bool inPlace)
{
    bool tried = false;
    bool written = false;
    QString writeError;
    try {
        m_settings.takeSlipNumber(m_proposedNumber, [&](int number) {
            tried = true;
            showNumber(number);
            try {
                writeSlipFile(path, inPlace);
                written = true;
            } catch (const Error &e) {
                writeError = e.message();
            }
            return written;
        });
    } catch (const Error &e) {
        // No number could be taken (or none written back): the slip is saved
        // all the same under the number it shows, and the user told.
        m_questions.warn(kNumberNotWritten.arg(e.message()));
        if (!tried)
            written = writeTo(path, inPlace);
    }
    if (!writeError.isEmpty())
        m_questions.warn(kNotSaved.arg(writeError));
    if (written)
        m_proposedNumber.reset();
    return written;
}

bool DocumentSession::showsProposedNumber() const
{
    return m_proposedNumber && m_document.record().no.slipCode == Settings::formatSlipCode(*m_proposedNumber);
}

void DocumentSession::showNumber(int number)
{
    m_proposedNumber = number;
    const QString code = Settings::formatSlipCode(number);
    if (m_document.record().no.slipCode != code)
        m_document.setText(SlipField::SlipCode, code);
}

bool DocumentSession::folderAnswers(const QString &path)
{
    try {
        reachFolderOf(path);
    } catch (const Error &e) {
        m_questions.warn(kNotSaved.arg(e.message()));
        return false;
    }
    return true;
}

bool DocumentSession::save()
{
    if (!m_path.isEmpty() && !folderAnswers(m_path))
        return false;
    if (m_path.isEmpty() || !QFileInfo(m_path).isFile())
        return saveAs();
    // The other desk's file is never written over: the slip goes under a
    // name the user chooses.
    if (m_readOnly) {
        m_questions.inform(kReadOnlySave.arg(fileNameOf(m_path)));
        return saveAs();
    }
    if (!keepLock())
        return saveAs();
    if (!writeTo(m_path, true))
        return false;
    setUndoEnabled(true);
    remember(m_path);
    updateTitle();
    return true;
}

bool DocumentSession::saveAs()
{
    // Another window or desk may have taken the number this slip was shown
    // with: the preset file name carries the number the slip will get.
    if (showsProposedNumber()) {
        const int next = m_settings.nextSlipNumber();
        if (next > *m_proposedNumber)
            showNumber(next);
    }
    const QString preset = !m_path.isEmpty()
        ? m_path
        : QDir(m_dialogFolder.isEmpty() ? QDir::homePath() : m_dialogFolder)
              .filePath(defaultSlipFileName(m_document.record()));
    const QString chosen = m_questions.chooseFileToSave(QStringLiteral("名前をつけて保存"), preset, kSlipFileFilter,
                                                         Questions::Overwrite::CallerAsks);
    if (chosen.isEmpty())
        return false;
    const QString path = QFileInfo(withSlipSuffix(chosen)).absoluteFilePath();
    if (!folderAnswers(path))
        return false;
    m_dialogFolder = QFileInfo(path).absolutePath();
    const QFileInfo target(path);
    if (target.isDir()) {
        m_questions.warn(QStringLiteral("%1 はフォルダです。ファイル名を指定してください").arg(path));
        return false;
    }
    const QString canonical = canonicalOf(path);
    if (target.exists()) {
        if (canonical != m_claimed && m_instances.isShownElsewhere(canonical)) {
            m_questions.warn(QStringLiteral("%1 は別のウィンドウで開かれています。別の名前を指定してください").arg(path));
            return false;
        }
        const sliplock::Holder holder = sliplock::judge(sliplock::read(path), m_desk);
        if (holder == sliplock::Holder::OtherDesk || holder == sliplock::Holder::ThisDesk) {
            m_questions.warn(kHeldElsewhere.arg(fileNameOf(path))
                             + QStringLiteral("。別の名前を指定してください"));
            return false;
        }
        // The window's own file is asked about too: Save As there replaces
        // it just the same.
        if (!m_questions.confirm(kOverwriteQuestion))
            return false;
    }
    const bool inPlace = canonical == m_claimed && !canonical.isEmpty();
    const bool numberTaken = showsProposedNumber();
    if (!(numberTaken ? writeUnderNewNumber(path, inPlace) : writeTo(path, inPlace)))
        return false;

    const QString nowCanonical = canonicalOf(path);
    if (nowCanonical != m_claimed)
        m_claimed = m_instances.claim(nowCanonical) ? nowCanonical : QString();
    lockSavedFile(path);
    setPath(path);
    setUndoEnabled(true);
    remember(path);
    updateTitle();

    // Any other number the slip is saved under: the next slip number follows
    // the highest saved.
    if (!numberTaken) {
        try {
            m_settings.raiseSlipNumberPast(slipNumberOf(m_document.record().no.slipCode));
        } catch (const Error &e) {
            m_questions.warn(kNumberNotWritten.arg(e.message()));
        }
    }
    return true;
}

void DocumentSession::undo()
{
    if (!m_undoEnabled || m_path.isEmpty())
        return;
    try {
        readInto(checkSlipFile(m_path));
    } catch (const Error &e) {
        // The slip on screen is all that is left of the file: keep it.
        m_questions.warn(e.message());
        return;
    }
    updateTitle();
}

bool DocumentSession::queryClose()
{
    if (!m_document.isModified())
        return true;
    switch (m_questions.confirmOrCancel(kSaveQuestion)) {
    case Questions::Answer::Yes:
        // A save dialog cancelled or a failed write keeps the window open:
        // closing then would throw the changes away.
        return save();
    case Questions::Answer::No:
        return true;
    case Questions::Answer::Cancel:
        break;
    }
    return false;
}

void DocumentSession::finish()
{
    if (m_finished)
        return;
    cleanUp();
    if (!m_path.isEmpty())
        m_settings.setStartFolder(QFileInfo(m_path).absolutePath() + u'/');
}

void DocumentSession::followSettings()
{
    m_printSettings.refill(m_data, m_settings.defaultPrint());
}

void DocumentSession::cleanUp()
{
    m_finished = true;
    if (!m_runTag.isEmpty())
        QFile::remove(tempSlipPath());
    if (!m_claimed.isEmpty())
        m_instances.claim(QString());
    m_claimed.clear();
    releaseLock();
}

bool DocumentSession::takeLock(const QString &path)
{
    const std::optional<DeskIdentity> lock = sliplock::read(path);
    switch (sliplock::judge(lock, m_desk)) {
    case sliplock::Holder::Nobody:
    case sliplock::Holder::Stale:
        break;
    case sliplock::Holder::ThisDesk:
        // A live process of this desk that the instance registry does not
        // know (another session, or a reused process id): asked like a desk.
    case sliplock::Holder::OtherDesk:
        if (!m_questions.confirm(kHeldElsewhere.arg(fileNameOf(path)) + u'\n' + kTakeOver.arg(deskText(*lock)), true))
            return false;
        break;
    }
    try {
        sliplock::write(path, m_desk);
    } catch (const Error &e) {
        m_questions.warn(kLockNotWritten.arg(fileNameOf(path), e.message()) + u'\n' + kReadOnlyOpened);
        return false;
    }
    m_lockedPath = path;
    return true;
}

bool DocumentSession::keepLock()
{
    const std::optional<DeskIdentity> lock = sliplock::read(m_path);
    switch (sliplock::judge(lock, m_desk)) {
    case sliplock::Holder::ThisDesk:
    case sliplock::Holder::OtherDesk:
        m_lockedPath.clear();
        setReadOnly(true);
        m_questions.warn(kTakenOver.arg(fileNameOf(m_path), deskText(*lock)));
        return false;
    case sliplock::Holder::Nobody:
    case sliplock::Holder::Stale:
        break;
    }
    if (lock != m_desk) {
        try {
            sliplock::write(m_path, m_desk);
            m_lockedPath = m_path;
        } catch (const Error &e) {
            // The save itself may still succeed; the user knows the slip is
            // unguarded.
            m_questions.warn(kLockNotWritten.arg(fileNameOf(m_path), e.message()));
        }
    }
    return true;
}

void DocumentSession::lockSavedFile(const QString &path)
{
    setReadOnly(false);
    if (path == m_lockedPath)
        return;
    releaseLock();
    try {
        sliplock::write(path, m_desk);
        m_lockedPath = path;
    } catch (const Error &e) {
        m_questions.warn(kLockNotWritten.arg(fileNameOf(path), e.message()));
    }
}

void DocumentSession::releaseLock()
{
    if (m_lockedPath.isEmpty())
        return;
    sliplock::release(m_lockedPath, m_desk);
    m_lockedPath.clear();
}

void DocumentSession::setReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    m_readOnly = readOnly;
    updateTitle();
}

void DocumentSession::setPath(const QString &path)
{
    m_path = path;
}

void DocumentSession::setUndoEnabled(bool enabled)
{
    if (m_undoEnabled == enabled)
        return;
    m_undoEnabled = enabled;
    emit undoEnabledChanged(enabled);
}

void DocumentSession::updateTitle()
{
    const QString now = title();
    if (now == m_lastTitle)
        return;
    m_lastTitle = now;
    emit titleChanged(now);
}

void DocumentSession::remember(const QString &path)
{
    try {
        m_recent.add(path);
    } catch (const Error &) {
        // The list is a convenience; a path it cannot hold is left out.
        return;
    }
    emit recentFilesChanged();
}

} // namespace vendara
